// Feeds arbitrary bytes to the kv3 reader; whatever it accepts is restored into a three-station
// measurement and its result computed and judged as the form and show3 do.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "core/document/ThreeStationMeasurement.h"
#include "core/text/StringTable.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationChart.h"

using namespace korvanta;

namespace {

struct Host {
    std::array<std::vector<int32_t>, 3> spectra;
    std::unique_ptr<ThreeStationMeasurement> three;

    Host()
    {
        for (auto& spectrum : spectra) {
            spectrum.resize(2048);
        }
        three = std::make_unique<ThreeStationMeasurement>(spectra[0], spectra[1], spectra[2]);
    }
};

Host& TheHost()
{
    static Host host;
    return host;
}

// A well-formed file of a finished measurement, which most inputs patch rather than replace:
// random bytes alone would hardly ever reach past the magic and the size.
const std::vector<uint8_t>& BaseFile()
{
    static const std::vector<uint8_t> base = [] {
        ThreeStationMeasurement& three = *TheHost().three;
        three.Setup({0, 1, 2}, 50.0f, 700.0f);
        for (int i = 0; i < 3; ++i) {
            three.Record(i).pairTotal = 6;
            three.Record(i).accumulators[1].bins[30 + i] = {1.0f, 0.5f};
        }
        CThreeStationResult result;
        const float distances[3] = {120.0f, 180.0f, 300.0f};
        for (int i = 0; i < 3; ++i) {
            result.SetPair(i, {i, 0.0f, distances[i], i, 0.0f});
        }
        result.SetDelays(-0.02f, -0.14f, -0.16f);
        result.Compute();
        return FormatKv3(three, result);
    }();
    return base;
}

// The patch lands anywhere in the file: its first four bytes say where.
std::vector<uint8_t> Patched(const uint8_t* input, size_t size)
{
    std::vector<uint8_t> file = BaseFile();
    if (size < 4) {
        return file;
    }
    uint32_t at = 0;
    std::memcpy(&at, input, 4);
    at %= static_cast<uint32_t>(file.size());
    const size_t count = std::min(size - 4, file.size() - at);
    std::copy(input + 4, input + 4 + count, file.begin() + at);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize)
{
    if (inputSize == 0) {
        return 0;
    }
    // First byte odd: the rest is the whole file. Even: the rest patches a good file.
    const std::vector<uint8_t> bytes =
        (input[0] & 1) != 0 ? std::vector<uint8_t>(input + 1, input + inputSize) : Patched(input + 1, inputSize - 1);
    Kv3Contents contents;
    if (ParseKv3(bytes, contents) != Kv3Status::Ok) {
        return 0;
    }
    // What was read is written back unchanged, but for the reserved word of the result.
    std::vector<uint8_t> again = FormatKv3(*contents.records, contents.result);
    std::copy(bytes.begin() + kKv3ResultAt, bytes.begin() + kKv3ResultAt + 4, again.begin() + kKv3ResultAt);
    if (bytes.size() < again.size() || std::memcmp(again.data(), bytes.data(), again.size()) != 0) {
        __builtin_trap();
    }

    ThreeStationMeasurement& three = *TheHost().three;
    RestoreKv3Records(contents, three);
    CThreeStationResult& result = contents.result;
    ComputeFromEngines(three, result);
    volatile float sink = result.Velocity() + result.RedYellow().fromFirst + result.RedBlue().fromSecond +
                          result.BlueYellow().fromFirst + static_cast<float>(result.Segment());
    if (!std::isfinite(result.Velocity()) || result.Velocity() < 0.0f) {
        __builtin_trap();  // every later drawing divides by it or scales with it
    }
    if (const uint32_t note = result.PlausibilityNote(); note != 0) {
        sink = sink + static_cast<float>(std::strlen(LoadString(note)));
    }
    // The result chart's pixel arithmetic on whatever the file holds.
    const ThreeStationChartLayout layout = LayOutResultChart(627, 195, result, UnitSystem::Metric);
    for (const DimensionLine& line : layout.lines) {
        sink = sink + static_cast<float>(line.x1 + line.x2 + static_cast<int>(line.label.size()));
    }
    for (int i = 0; i < 3; ++i) {
        for (int32_t value : three.Trace(i)) {
            sink = sink + static_cast<float>(value);
        }
    }
    return 0;
}
