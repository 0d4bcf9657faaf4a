#include <iostream>
#include <memory>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HeadlessDocument.h"
#include "cli/ThreeStationReport.h"
#include "core/document/CKorvantaDoc.h"
#include "core/document/TextMessageSink.h"
#include "core/link/SteadyClock.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"

namespace korvanta::cli {

int RunShow3(const std::vector<std::string>& args)
{
    const CommandLine options(args, {});
    if (options.Positional().size() != 1) {
        throw UsageError("show3 needs exactly one FILE.kv3");
    }
    const std::string& file = options.Positional()[0];
    HeadlessDocument host;
    Kv3Contents contents;
    std::string damage;
    const Kv3Status status = ReadKv3File(file, contents, &damage);
    if (status != Kv3Status::Ok) {
        host.messages.ShowMessage(Kv3StatusMessage(status), kStyleStop);
        std::cerr << "korvanta-cli show3: " << DescribeKv3Refusal(file, status, damage) << "\n";
        return 2;
    }

    auto& doc = host.document;  // nothing is measured: the link is never opened
    doc->EnterThreeStationMode();
    RestoreKv3Records(contents, doc->ThreeStation());
    // The velocity and the leak's place are computed afresh from the restored correlations and
    // the stored distances, as the form does when it shows an opened file.
    CThreeStationResult& result = contents.result;
    ComputeFromEngines(doc->ThreeStation(), result);
    std::cout << ThreeStationJson(*doc, result) << "\n";
    return 0;
}

}  // namespace korvanta::cli
