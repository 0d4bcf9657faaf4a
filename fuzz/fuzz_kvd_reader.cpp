// Feeds arbitrary bytes to the kvd reader; whatever it accepts is opened by a document and
// everything the views and the command-line tool ask of an opened measurement is asked.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "core/document/CKorvantaDoc.h"
#include "core/document/KvdFile.h"
#include "core/link/SteadyClock.h"
#include "core/pipe/LeakPosition.h"
#include "fuzz/FuzzedFile.h"

using namespace korvanta;

namespace {

struct Host {
    CLinkState link;
    SteadyClock clock;
    NullMessageSink messages;
    InMemorySettings settings;
    std::unique_ptr<CKorvantaDoc> document;

    Host()
    {
        DocumentContext context;
        context.link = &link;
        context.clock = &clock;
        context.messages = &messages;
        context.settings = &settings;
        // A folder that does not exist: no database or preset file is read or written.
        context.dataFolder = std::filesystem::temp_directory_path() / "korvanta-fuzz-no-such-folder" / "none";
        document = std::make_unique<CKorvantaDoc>(context);
        document->Materials().SetSaveAtExit(false);
    }
};

Host& TheHost()
{
    static Host host;
    return host;
}

}  // namespace

// A well-formed file of a one-section pipe, which most inputs patch rather than replace: random
// bytes alone would hardly ever reach past the size check.
const std::vector<uint8_t>& BaseFile()
{
    static const std::vector<uint8_t> base = [] {
        auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
        record->pairCode = 6;
        record->pipe[0].length = 100.0f;
        record->pipe[0].diameter = 110.0f;
        record->pipe[0].velocity = 400.0f;
        record->pipe[0].inUse = 1;
        record->pairTotal = 3;
        record->accumulators[2].bins[40] = {1.0f, 0.5f};
        return FormatKvd(*record);
    }();
    return base;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize)
{
    if (inputSize == 0) {
        return 0;
    }
    // A patch lands on the start of a good file.
    const std::vector<uint8_t> bytes = fuzz::FuzzedFile(input, inputSize, BaseFile(), 0);
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    const std::span<const uint8_t> image(data, size);
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    if (ParseKvd(image, *record) != KvdStatus::Ok) {
        return 0;
    }
    // What was read is written back unchanged.
    const std::vector<uint8_t> again = FormatKvd(*record);
    if (size < again.size() || std::memcmp(again.data(), data, again.size()) != 0) {
        __builtin_trap();
    }

    CKorvantaDoc& doc = *TheHost().document;
    if (!doc.OpenRecord(*record, "C:\\fuzz\\input.kvd")) {
        __builtin_trap();  // the reader accepted it, so the document must too
    }
    doc.Materials().SetSaveAtExit(false);

    volatile float sink = 0.0f;
    doc.Recompute();
    const float delay = doc.GetDelay();
    const LeakPosition position = doc.ComputeLeakPosition(delay);
    sink = sink + position.fromStart + position.fromEnd + static_cast<float>(doc.GetQuality());
    sink = sink + static_cast<float>(IsLeakOutsidePipe(doc.Record().pipe, delay));
    for (int i = -1; i <= kMaxPipeSections; ++i) {
        SectionInfo info;
        doc.Pipe().Section(i, info);
        sink = sink + static_cast<float>(info.materialName.size()) + doc.Pipe().SectionLength(i);
        sink = sink + static_cast<float>(doc.Pipe().SectionMaterial(i));
    }
    for (int i = -1; i <= kMaxMaterials; ++i) {
        sink = sink + static_cast<float>(doc.Pipe().MaterialName(i).size());
    }
    sink =
        sink + doc.Pipe().TotalLength() + doc.Pipe().TravelTime() + static_cast<float>(doc.Pipe().HasMixedMaterials());
    for (int k = -1; k <= kNotchCount; ++k) {
        sink = sink + doc.Filters().NotchLow(k) + doc.Filters().NotchHigh(k);
    }
    sink =
        sink + doc.Filters().LowCutoff() + doc.Filters().HighCutoff() + static_cast<float>(doc.Filters().NotchCount());
    const FileInformation info = doc.GetFileInformation();
    sink = sink + static_cast<float>(info.name.size() + info.title.size() + info.date.size() + info.time.size() +
                                     info.userInformation.size() + doc.MeasuringTime().size());
    for (const std::string& line : doc.CommentLines()) {
        sink = sink + static_cast<float>(line.size());
    }

    // The view's zoom and blanking on what the file holds, with the preset and material proposals.
    uint32_t column = static_cast<uint32_t>(size % 700);
    if (doc.CanZoom(2)) {
        doc.SetZoom(column, 2);
    }
    doc.SetBlanking(column / 2, column);
    doc.Recompute();
    column = 310;
    doc.SetZoom(column, 1);
    doc.SetBlanking(0, 0);
    doc.Edit().ApplyPreset(static_cast<int>(size % 12) - 1);
    doc.Edit().SetFiltersFromMaterials();
    doc.Edit().RestoreSavedFilters();
    doc.Recompute();
    for (int32_t value : doc.TraceBuffer()) {
        sink = sink + static_cast<float>(value);
    }
    return 0;
}
