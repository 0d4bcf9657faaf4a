#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"
#include "core/velocity/KvrFile.h"
#include "core/velocity/RegressionChart.h"
#include "core/velocity/RegressionPointReader.h"
#include "core/velocity/RegressionSession.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

RegressionPoint PointAt(float delay, float length, uint8_t range = 0, const char* name = "p")
{
    RegressionPoint point;
    point.delay = delay;
    point.length = length;
    point.range = range;
    std::strncpy(point.name.data(), name, point.name.size() - 1);
    return point;
}

TEST(RegressionFitTest, LineThroughThreeExactPoints)
{
    RegressionSession session(UnitSystem::Metric, TimeUnit::Seconds);
    for (const auto& [delay, length] : {std::pair{-0.1f, 300.0f}, {0.0f, 200.0f}, {0.1f, 100.0f}}) {
        session.Data().Add(PointAt(delay, length));
        session.PointAdded();
    }
    const RegressionFit& fit = session.Data().Fit();
    EXPECT_FLOAT_EQ(fit.slope, -1000.0f);
    EXPECT_FLOAT_EQ(fit.intercept, 200.0f);
    EXPECT_EQ(session.VelocityText(), "1000.000000");
    EXPECT_EQ(session.DistanceText(), "100.000000");

    RegressionSession perMs(UnitSystem::Imperial, TimeUnit::Milliseconds);
    perMs.Data().Assign(session.Data().Slots(), 3, {}, 1);
    EXPECT_EQ(perMs.VelocityText(), "3.280840");
    EXPECT_EQ(perMs.DistanceText(), "328.084000");
    EXPECT_EQ(perMs.DelayText(), "-100.000001");
    EXPECT_EQ(perMs.LengthText(), "984.25");
    EXPECT_EQ(perMs.StaticSensorText(), "Rød");
}

TEST(RegressionFitTest, AgainstADirectComputationOverIncludedPointsOnly)
{
    CRegressionData data;
    const float delays[] = {-0.21f, -0.05f, 0.02f, 0.11f, 0.3f, 0.5f};
    const float lengths[] = {512.0f, 340.5f, 281.0f, 190.25f, 12.0f, 999.0f};
    for (int i = 0; i < 6; ++i) {
        data.Add(PointAt(delays[i], lengths[i]));
    }
    data.SetIncluded(5, false);
    const RegressionFit fit = data.Refit();
    double mx = 0, my = 0;
    for (int i = 0; i < 5; ++i) {
        mx += delays[i] / 5.0;
        my += lengths[i] / 5.0;
    }
    double sxx = 0, sxy = 0;
    for (int i = 0; i < 5; ++i) {
        sxx += (delays[i] - mx) * (delays[i] - mx);
        sxy += (delays[i] - mx) * (lengths[i] - my);
    }
    EXPECT_EQ(fit.included, 5);
    EXPECT_NEAR(fit.slope, sxy / sxx, 1e-4 * std::fabs(sxy / sxx));
    EXPECT_NEAR(fit.intercept, my - mx * sxy / sxx, 1e-3);
    EXPECT_NEAR(fit.sxx, sxx, 1e-6);

    CRegressionData flat;
    flat.Add(PointAt(0.1f, 100.0f));
    flat.Add(PointAt(0.1f, 300.0f));
    EXPECT_EQ(flat.Refit().slope, 0.0f) << "equal delays: no slope";
    EXPECT_EQ(flat.Fit().intercept, 200.0f);
}

TEST(RegressionSessionTest, ControlsFollowTheDataSet)
{
    RegressionSession session(UnitSystem::Metric, TimeUnit::Seconds);
    EXPECT_TRUE(session.Controls().add);
    EXPECT_FALSE(session.Controls().toggle);
    EXPECT_EQ(session.NameText(), "");
    session.Data().Add(PointAt(0.01f, 100.0f, 0, "første"));
    session.PointAdded();
    EXPECT_TRUE(session.Controls().toggle);
    EXPECT_FALSE(session.Controls().save);
    EXPECT_EQ(session.VelocityText(), "") << "one point draws no line";
    for (int i = 1; i < 10; ++i) {
        session.Data().Add(PointAt(0.01f * i, 100.0f + i));
        session.PointAdded();
    }
    EXPECT_FALSE(session.Controls().add) << "ten points fill the set";
    EXPECT_FALSE(session.Data().Add(PointAt(0, 0)));

    doctest::AnsweringMessageSink messages;
    session.Previous();
    EXPECT_EQ(session.Current(), 9u) << "from the first back to the last";
    session.Next();
    EXPECT_EQ(session.Current(), 0u);
    messages.answer = MessageAnswer::No;
    session.Toggle(messages);
    EXPECT_TRUE(session.Controls().showRestore);
    EXPECT_EQ(session.Data().IncludedCount(), 9u);
    EXPECT_EQ(messages.shown.back(),
              std::make_pair(str::kRemovePermanently, uint32_t{kStyleQuestion | kStyleYesNoCancel}));
    session.Toggle(messages);  // "Gendan" asks nothing
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(session.Controls().showRestore);
    messages.answer = MessageAnswer::Cancel;
    session.Toggle(messages);
    EXPECT_EQ(session.Data().Count(), 10u);
    messages.answer = MessageAnswer::Yes;
    session.Toggle(messages);
    EXPECT_EQ(session.Data().Count(), 9u);
    EXPECT_TRUE(session.Controls().add) << "deleting one enables adding again";
    EXPECT_FLOAT_EQ(session.Data().Point(0).delay, 0.01f) << "later points moved down";
    session.Previous();
    session.Toggle(messages);
    EXPECT_EQ(session.Current(), 7u) << "the current point stays within the set";
}

TEST(KvrFileTest, LayoutAndRoundTrip)
{
    CRegressionData data;
    data.Add(PointAt(-0.125f, 250.5f, 1, "måling1"));
    data.Add(PointAt(0.0625f, 99.0f, 2, "m2"));
    data.SetIncluded(1, false);
    data.SetReference({3, 250.5f, 110.0f, 1150.0f, 1});
    data.SetStaticSensor(2);
    const auto image = FormatKvr(data);
    ASSERT_EQ(image.size(), 5957u);
    const uint8_t header[] = {0xBE, 0xBA, 0xDA, 0xBE, 1, 0, 10, 0, 0x51, 0x02, 2, 2, 3, 0};
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), image.begin()));
    float value;
    std::memcpy(&value, &image[14], 4);
    EXPECT_EQ(value, 250.5f);
    EXPECT_EQ(image[26], 1) << "reference in use";
    std::memcpy(&value, &image[27], 4);
    EXPECT_EQ(value, -0.125f);
    EXPECT_EQ(image[27 + 9], 1) << "range of point 0";
    EXPECT_EQ(image[27 + 593 + 8], 0) << "point 1 excluded";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[27 + 593 + 336])), "m2");

    CRegressionData read;
    ASSERT_EQ(ParseKvr(image, read), std::nullopt);
    EXPECT_EQ(read.Count(), 2u);
    EXPECT_EQ(read.StaticSensor(), 2u);
    EXPECT_EQ(read.Reference().diameter, 110.0f);
    EXPECT_EQ(FormatKvr(read), image);

    test::TempFolder folder;
    ASSERT_EQ(WriteKvrFile(folder / "set.kvr", data), std::nullopt);
    CRegressionData reopened;
    ASSERT_EQ(ReadKvrFile(folder / "set.kvr", reopened), std::nullopt);
    EXPECT_EQ(FormatKvr(reopened), image);
    EXPECT_EQ(ReadKvrFile(folder / "none.kvr", reopened), str::kFileNotOpened);
    EXPECT_EQ(WriteKvrFile(folder / "no-such-folder" / "x.kvr", data), str::kFileNotSaved);
}

TEST(KvrFileTest, DamagedFilesAreRefusedAndChangeNothing)
{
    CRegressionData data;
    data.Add(PointAt(0.1f, 100.0f));
    data.Add(PointAt(0.2f, 50.0f));
    const auto good = FormatKvr(data);
    struct Case {
        const char* what;
        size_t offset;  // SIZE_MAX: cut the file instead
        uint8_t value;
        uint32_t message;
    };
    const Case cases[] = {
        {"version 2", 4, 2, str::kRegressionVersionNotSupported},
        {"eleven points", 10, 11, str::kFileNotRead},
        {"static sensor 5", 11, 5, str::kFileNotRead},
        {"range 3", 27 + 9, 3, str::kFileNotRead},
        {"not-a-number delay", 27 + 3, 0xFF, str::kFileNotRead},
        {"short file", SIZE_MAX, 0, str::kFileNotRead},
    };
    for (const Case& c : cases) {
        auto image = good;
        if (c.offset == SIZE_MAX) {
            image.resize(image.size() - 1);
        } else {
            image[c.offset] = c.value;
            if (c.offset == 27 + 3) {
                image[27 + 2] = 0xFF;
            }
        }
        CRegressionData target;
        target.Add(PointAt(0.3f, 7.0f));
        const auto before = FormatKvr(target);
        EXPECT_EQ(ParseKvr(image, target), c.message) << c.what;
        EXPECT_EQ(FormatKvr(target), before) << c.what << " left the set changed";
    }
    // A used slot's name without its terminating zero.
    auto image = good;
    std::memset(&image[27 + 593 + 336], 'x', 256);
    CRegressionData target;
    EXPECT_EQ(ParseKvr(image, target), str::kFileNotRead);
    // An unused slot may hold anything.
    image = good;
    std::memset(&image[27 + 2 * 593 + 336], 'x', 256);
    EXPECT_EQ(ParseKvr(image, target), std::nullopt);
}

// What is not a regression file, or holds what no measurement gives, is refused with the reason:
// the window's Åben and the tool both read through here.
TEST(KvrFileTest, FilesThatAreNoDataSetAreRefusedWithTheReason)
{
    CRegressionData data;
    data.Add(PointAt(0.1f, 100.0f));
    data.Add(PointAt(0.2f, 50.0f));
    data.SetReference({0, 100.0f, 110.0f, 1200.0f, 1});
    const auto good = FormatKvr(data);
    auto with = [&](size_t at, auto value) {
        auto image = good;
        std::memcpy(&image[at], &value, sizeof value);
        return image;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        const char* reason;
    };
    const Case cases[] = {
        {"all zero", std::vector<uint8_t>(5957, 0), "not a regression file"},
        {"a three-station file", with(0, uint32_t{0x003BABE3}), "not a regression file"},
        {"seven slots", with(6, uint16_t{7}), "layout"},
        {"a negative pipe length", with(27 + 593 + 4, -50.0f), "point 2 has a pipe length"},
        {"a delay of 1e30 s", with(27, 1e30f), "point 1 has a delay"},
        {"an endless reference velocity", with(12 + 10, std::numeric_limits<float>::infinity()), "reference"},
        {"a reference length that is no number", with(12 + 2, std::numeric_limits<float>::quiet_NaN()),
         "reference"},
        {"equal delays", with(27 + 593, 0.1f), "same delay"},
    };
    for (const Case& c : cases) {
        CRegressionData target;
        std::string reason;
        EXPECT_EQ(ParseKvr(c.image, target, &reason), str::kFileNotRead) << c.what;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
        EXPECT_EQ(target.Count(), 0u) << c.what;
    }
    // One point gives no line yet: that is a data set being started, not a damaged one.
    CRegressionData one;
    one.Add(PointAt(0.1f, 100.0f));
    CRegressionData target;
    EXPECT_EQ(ParseKvr(FormatKvr(one), target), std::nullopt);
}

TEST(RegressionChartTest, ScalesAndLine)
{
    struct Case {
        float longest;
        uint8_t range;
        float timeSpan, lengthSpan, lengthTick;
    };
    const Case cases[] = {
        {0.0f, 0, 0.8f, 200.0f, 50.0f},    {150.0f, 1, 2.5f, 200.0f, 50.0f},    {200.0f, 2, 4.2f, 300.0f, 50.0f},
        {450.0f, 0, 0.8f, 500.0f, 100.0f}, {1234.0f, 0, 0.8f, 1300.0f, 130.0f}, {4950.0f, 0, 0.8f, 4950.0f, 495.0f},
    };
    for (const Case& c : cases) {
        const RegressionPoint points[] = {PointAt(0.0f, c.longest, c.range), PointAt(0.0f, 10.0f, 0)};
        const RegressionChartScale scale = MakeRegressionChartScale(points);
        EXPECT_FLOAT_EQ(scale.timeSpan, c.timeSpan) << c.longest;
        EXPECT_FLOAT_EQ(scale.lengthSpan, c.lengthSpan) << c.longest;
        EXPECT_FLOAT_EQ(scale.lengthTick, c.lengthTick) << c.longest;
    }
    const ChartArea area = ChartArea::ForControl(440, 260);
    const RegressionChartScale scale = MakeRegressionChartScale({});
    EXPECT_EQ(ChartPixel(area, scale, 0.0f, 0.0f), std::make_pair(220.0, 230.0));
    EXPECT_EQ(ChartPixel(area, scale, 0.4f, 200.0f), std::make_pair(420.0, 30.0));

    // L = 200 - 1000 τ across ±0.4 s leaves the chart at both ends: 0 m at 0.2 s, 200 m at 0 s.
    RegressionFit fit;
    fit.slope = -1000.0f;
    fit.intercept = 200.0f;
    const ChartLine line = RegressionLineEnds(fit, scale, {});
    EXPECT_FLOAT_EQ(line.delay1, 0.0f);
    EXPECT_FLOAT_EQ(line.length1, 200.0f);
    EXPECT_FLOAT_EQ(line.delay2, 0.2f);
    EXPECT_FLOAT_EQ(line.length2, 0.0f);
}

TEST(RegressionChartTest, TicksRunEdgeToEdge)
{
    const ChartArea area = ChartArea::ForControl(440, 260);
    struct Case {
        float longest;
        uint8_t range;
        size_t delayTicks, lengthTicks;
    };
    // 0.8 s in 50 ms, 2.5 s in 125 ms, 4.2 s in 300 ms; 200 m in 50 m, 700 m in 100 m, 1300 m in tenths.
    const Case cases[] = {{10.0f, 0, 17, 5}, {650.0f, 1, 21, 8}, {1234.0f, 2, 15, 11}};
    for (const Case& c : cases) {
        const RegressionPoint points[] = {PointAt(0.0f, c.longest, c.range)};
        const RegressionChartScale scale = MakeRegressionChartScale(points);
        const auto across = DelayTicks(area, scale);
        ASSERT_EQ(across.size(), c.delayTicks) << c.longest;
        EXPECT_EQ(across.front().position, area.left);
        EXPECT_EQ(across.back().position, area.right);
        EXPECT_EQ(across[0].size, 5);
        EXPECT_EQ(across[1].size, 2);
        const auto up = LengthTicks(area, scale);
        ASSERT_EQ(up.size(), c.lengthTicks) << c.longest;
        EXPECT_EQ(up.front().position, area.bottom);
        EXPECT_EQ(up.back().position, area.top);
    }
}

TEST(RegressionChartTest, LabelsInTheUsersUnits)
{
    const RegressionPoint points[] = {PointAt(0.0f, 250.0f, 1)};
    const RegressionChartScale scale = MakeRegressionChartScale(points);  // 2.5 s, 300 m
    const RegressionChartLabels metric = MakeRegressionChartLabels(scale, UnitSystem::Metric, TimeUnit::Seconds);
    EXPECT_EQ(metric.delayTitle, "Løbetid (s)");
    EXPECT_EQ(metric.lengthTitle, "Længde (m)");
    EXPECT_EQ(metric.left, "-1.25");
    EXPECT_EQ(metric.right, "1.25");
    EXPECT_EQ(metric.top, "300.0");
    EXPECT_EQ(metric.middle, "150.0");
    const RegressionChartLabels feet = MakeRegressionChartLabels(scale, UnitSystem::Imperial, TimeUnit::Milliseconds);
    EXPECT_EQ(feet.delayTitle, "Løbetid (ms)");
    EXPECT_EQ(feet.lengthTitle, "Længde (ft)");
    EXPECT_EQ(feet.left, "-1250");
    EXPECT_EQ(feet.right, "1250");
    EXPECT_EQ(feet.top, "984.3");
    EXPECT_EQ(feet.middle, "492.1");
}

TEST(RegressionSessionTest, InformationOfTheCurrentPoint)
{
    RegressionSession session(UnitSystem::Metric, TimeUnit::Seconds);
    EXPECT_EQ(session.CurrentInformation().title, "");
    for (const char* title : {"Første", "Anden"}) {
        RegressionPoint point = PointAt(0.1f, 100.0f);
        const auto field = [&point](size_t offset, size_t size) {
            return std::span<char>(reinterpret_cast<char*>(point.header.data()) + offset, size);
        };
        CopyToFixedField(title, field(offsetof(MeasurementRecord, title), 60));
        CopyToFixedField("kommentar 2", field(offsetof(MeasurementRecord, comment) + 60, 60));
        CopyToFixedField("Jens Ærø", field(offsetof(MeasurementRecord, userInformation), 20));
        CopyToFixedField("07 Dec 2026", field(0, 13));
        session.Data().Add(point);
        session.PointAdded();
    }
    session.Next();
    const FileInformationForm form = session.CurrentInformation();
    EXPECT_EQ(form.title, "Anden");
    EXPECT_EQ(form.comments[1], "kommentar 2");
    EXPECT_EQ(form.userInformation, "Jens Ærø");
    EXPECT_EQ(form.date, "07 Dec 2026");
}

}  // namespace
}  // namespace korvanta
