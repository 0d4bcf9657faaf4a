// Feeds arbitrary bytes to the Database2.bin reader and then runs every query on what was read:
// the first 4800 bytes are the material entries, the next 200 a pipe of ten sections.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/FilterProposal.h"
#include "core/pipe/Pipe.h"
#include "core/pipe/PipeSection.h"
#include "core/values/FilterSettings.h"

using namespace korvanta;

namespace {

CMaterialDatabase& Database()
{
    static NullMessageSink sink;
    // A folder that does not exist: nothing is read from or written to disk.
    static CMaterialDatabase database(std::filesystem::temp_directory_path() / "korvanta-fuzz-no-such-folder" / "none",
                                      sink);
    return database;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMaterialDatabase& db = Database();
    db.SetSaveAtExit(false);

    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    if (!db.ReadFrom(stream)) {
        // Short input: the reader refused it; look at the zero-padded bytes all the same.
        std::array<uint8_t, CMaterialDatabase::kImageBytes> image{};
        std::memcpy(image.data(), data, std::min(size, image.size()));
        db.CopyIn(image);
    }

    PipeSections pipe{};
    if (size > CMaterialDatabase::kImageBytes) {
        std::memcpy(pipe.data(), data + CMaterialDatabase::kImageBytes,
                    std::min(size - CMaterialDatabase::kImageBytes, sizeof pipe));
    }

    volatile float sink = 0.0f;
    sink = sink + static_cast<float>(db.MaterialCount());
    for (int i = -1; i <= kMaxMaterials; ++i) {
        sink = sink + static_cast<float>(db.MaterialName(i).size());
        sink = sink + db.MaximumVelocity(i) + db.MinimumVelocity(i);
        for (float d : {0.0f, 1.0f, 110.0f, 5000.0f, pipe[0].diameter})
            sink = sink + db.GetVelocityForDiameter(i, d);
        for (float t : {0.05f, 0.1f, 0.2f, 3.0f, GetTravelTime(pipe)})
            sink = sink + db.FilterForMaterial(i, t).low;
    }

    FilterSettings filters{};
    SetFiltersFromMaterials(pipe, db, filters);
    uint32_t range = 0;
    SelectRange(pipe, range);
    sink = sink + GetTotalLength(pipe) + static_cast<float>(HasMixedMaterials(pipe)) + static_cast<float>(range);

    db.AddMeasuredPair(pipe[0].materialIndex, pipe[0].diameter, pipe[0].velocity);
    db.AddMeasuredPair(0, pipe[1].diameter, pipe[1].velocity);
    return 0;
}
