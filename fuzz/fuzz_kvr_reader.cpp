// Feeds arbitrary bytes to the regression file reader; whatever it accepts is fitted, charted,
// shown by the regression dialog's session and written back unchanged.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/velocity/KvrFile.h"
#include "core/velocity/RegressionChart.h"
#include "core/velocity/RegressionSession.h"
#include "fuzz/FuzzedFile.h"

using namespace korvanta;

namespace {

// A good file of three points, which most inputs patch: random bytes alone would hardly ever
// pass the size check.
const std::vector<uint8_t>& BaseFile()
{
    static const std::vector<uint8_t> base = [] {
        CRegressionData data;
        for (int i = 0; i < 3; ++i) {
            RegressionPoint point;
            point.delay = 0.1f * static_cast<float>(i - 1);
            point.length = 100.0f + 100.0f * static_cast<float>(i);
            point.name[0] = 'p';
            data.Add(point);
        }
        data.SetStaticSensor(1);
        return FormatKvr(data);
    }();
    return base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize)
{
    if (inputSize == 0) {
        return 0;
    }
    const std::vector<uint8_t> bytes = fuzz::FuzzedFile(input, inputSize, BaseFile(), 47);
    RegressionSession session(input[0] & 2 ? UnitSystem::Imperial : UnitSystem::Metric,
                              input[0] & 4 ? TimeUnit::Milliseconds : TimeUnit::Seconds);
    const std::vector<uint8_t> before = FormatKvr(session.Data());
    if (ParseKvr(bytes, session.Data())) {
        if (FormatKvr(session.Data()) != before) {
            __builtin_trap();  // a refused file must leave the set as it was
        }
        return 0;
    }
    // What was read is written back unchanged, after the magic, version and size fields, which
    // are written as this version has them whatever the file said.
    constexpr size_t kFixedFields = 10;
    const std::vector<uint8_t> again = FormatKvr(session.Data());
    if (bytes.size() < again.size() ||
        std::memcmp(again.data() + kFixedFields, bytes.data() + kFixedFields, again.size() - kFixedFields) != 0) {
        __builtin_trap();
    }
    session.Opened();
    volatile size_t sink = 0;
    for (size_t i = 0; i <= session.Data().Count(); ++i) {
        sink = sink + session.NameText().size() + session.DelayText().size() + session.LengthText().size() +
               session.VelocityText().size() + session.DistanceText().size() + session.StaticSensorText().size();
        session.Next();
    }
    const RegressionChartScale scale = MakeRegressionChartScale(session.Data().Points());
    const ChartLine line = RegressionLineEnds(session.Data().Fit(), scale, session.Data().Points());
    const auto [x, y] = ChartPixel(ChartArea::ForControl(440, 260), scale, line.delay1, line.length2);
    sink = sink + static_cast<size_t>(x > 0) + static_cast<size_t>(y > 0);
    return 0;
}
