#include "cli/HeadlessDocument.h"

#include "cli/ThreeStationReport.h"

namespace korvanta::cli {

HeadlessDocument::HeadlessDocument()
{
    DocumentContext context;
    context.link = &link;
    context.clock = &clock;
    context.messages = &messages;
    context.settings = &settings;
    context.dataFolder = ProgramDataFolder();
    document = std::make_unique<CKorvantaDoc>(context);
}

}  // namespace korvanta::cli
