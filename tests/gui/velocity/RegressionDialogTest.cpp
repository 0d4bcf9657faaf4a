// The regression dialog over measurements the simulated kit made with one sensor kept in place and
// the other moved along the pipe, as a user adds, excludes, saves and reopens them.
#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <fstream>

#include "core/app/CommandIds.h"
#include "core/text/StringIds.h"
#include "gui/velocity/CRegressionDialog.h"
#include "gui/velocity/CStaticSensorDialog.h"
#include "gui/velocity/RegressionChartPainter.h"
#include "gui/forms/CImagePicture.h"
#include "tests/e2e/ScenarioRig.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

// The kit's main: 400 m of DN150 ductile iron with a noise source 100 m from red. Red stays where
// it is; blue is moved so that the pipe between the sensors is 150 to 350 m long.
constexpr double kSource = 100.0;
constexpr float kLengths[] = {150.0f, 200.0f, 250.0f, 300.0f, 350.0f};
constexpr float kBore = 158.0f;

std::shared_ptr<sim::Scenario> MainWithBlueAt(float blue)
{
    return e2e::ScenarioFromText(R"({
      "description": "ductile-iron main, red kept in place, blue moved along it",
      "seed": 4,
      "pipe": [ { "lengthM": 400, "material": "ductile-iron", "innerDiameterMm": 158, "wallMm": 6 } ],
      "sensorDefaults": { "type": "accelerometer", "resonanceHz": 1800, "resonanceQ": 3, "noiseDb": -45 },
      "units": { "red": { "sensor": { "positionM": 0 } }, "blue": { "sensor": { "positionM": )" +
                                 std::to_string(blue) + R"( } } },
      "leaks": [ { "positionM": 100, "lowHz": 20, "highHz": 1500 } ]
    })");
}

// The speed of sound in the scenario's main.
double MainVelocity()
{
    return e2e::LocalVelocity(*MainWithBlueAt(kLengths[0]), kSource);
}

constexpr int kChart = 1495, kFileName = 1496, kDelay = 1497, kLength = 1498, kVelocityEdit = 1499, kDistance = 1500,
              kStatic = 1501, kAdd = 1502, kToggle = 1503, kPrevious = 1504, kNext = 1505;

// One kit measurement per pipe length, saved once for all tests as maaling-<length>.kvd, and
// andet-ror.kvd on a pipe of twice the bore. Empty when the kit could not measure.
const TempFolder* Measurements()
{
    static const auto folder = [] {
        auto made = std::make_unique<TempFolder>();
        for (const float length : kLengths) {
            const auto scenario = MainWithBlueAt(length);
            e2e::KitRig rig(e2e::FastScenarioKit(scenario));
            PipeSections pipe = e2e::UserPipe(*scenario);
            pipe[0].length = length;  // the stretch between the sensors
            const bool open = rig.Open();
            if (open) {
                rig.document->Edit().ApplySensorCombination(6);
                rig.document->Edit().ApplyPipeData(pipe);
            }
            if (!open || rig.Measure(6) != MeasurementRunner::Outcome::Complete ||
                !rig.document->Save(*made / ("maaling-" + std::to_string(int(length)) + ".kvd"))) {
                ADD_FAILURE() << "no measurement at " << length << ": " << rig.kitError << rig.messageText.str();
                return std::unique_ptr<TempFolder>();
            }
            pipe[0].diameter = 2.0f * kBore;
            rig.document->Edit().ApplyPipeData(pipe);
            rig.document->Save(*made / "andet-ror.kvd");
        }
        return made;
    }();
    return folder.get();
}

std::filesystem::path Point(size_t index)
{
    return *Measurements() / ("maaling-" + std::to_string(int(kLengths[index])) + ".kvd");
}

// The dialog with every file dialog and message box answered by the test.
class RegressionDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Measurements(), nullptr);
        sink_.SetHook(&hook_);
    }
    void TearDown() override
    {
        EXPECT_TRUE(hook_.Unexpected().empty()) << "unexpected message " << hook_.Unexpected().front();
        EXPECT_EQ(hook_.Pending(), 0u) << "an expected message was not shown";
        EXPECT_TRUE(files_.empty()) << "a file was not asked for";
    }

    std::unique_ptr<gui::CRegressionDialog> MakeDialog(UnitSystem units = UnitSystem::Metric,
                                                       TimeUnit time = TimeUnit::Seconds)
    {
        gui::RegressionDialogContext context;
        context.units = units;
        context.time = time;
        context.messages = &sink_;
        context.askFile = [this](gui::RegressionFileRequest request) {
            EXPECT_FALSE(files_.empty()) << "no file for request " << int(request);
            if (files_.empty() || files_.front().first != request)
                return QString();
            const QString path = QString::fromStdString(files_.front().second.string());
            files_.pop_front();
            return path;
        };
        return std::make_unique<gui::CRegressionDialog>(std::move(context));
    }

    void Give(gui::RegressionFileRequest request, const std::filesystem::path& path)
    {
        files_.emplace_back(request, path);
    }

    // "&Tilføj" with a measurement file; the first of a set asks for the static sensor (red).
    void AddMeasurement(gui::CRegressionDialog& dialog, const std::filesystem::path& path)
    {
        Give(gui::RegressionFileRequest::OpenMeasurement, path);
        if (dialog.Session().Data().Count() == 0) {
            OnNextModal(QStringLiteral("staticSensorDialog"), [](QDialog* sensor) {
                Click(sensor, gui::staticsensorctl::kRed);
                sensor->accept();
            });
        }
        Click(dialog.Client(), kAdd);
    }

    static QString Text(gui::CRegressionDialog& dialog, int id) { return TextOf(dialog.Client(), id); }
    static bool Enabled(gui::CRegressionDialog& dialog, int id)
    {
        return Control<QWidget>(dialog.Client(), id)->isEnabled();
    }

    gui::MessageBoxHook hook_;
    gui::CMessageBoxSink sink_;
    std::deque<std::pair<gui::RegressionFileRequest, std::filesystem::path>> files_;
    TempFolder folder_;
};

TEST_F(RegressionDialogTest, FiveKitMeasurementsGiveTheVelocityAndTheSourceAndSurviveAKvrFile)
{
    auto dialog = MakeDialog();
    for (size_t i = 0; i < std::size(kLengths); ++i) {
        AddMeasurement(*dialog, Point(i));
    }
    ASSERT_EQ(dialog->Session().Data().Count(), 5u);
    EXPECT_EQ(Text(*dialog, kStatic), QStringLiteral("Rød"));
    EXPECT_TRUE(dialog->MenuAction(cmd::kRegressionStaticRed)->isChecked());
    EXPECT_EQ(Text(*dialog, kFileName), QStringLiteral("maaling-150"));
    EXPECT_EQ(Text(*dialog, kLength), QStringLiteral("150.00"));

    const double velocity = Text(*dialog, kVelocityEdit).toDouble();
    const double distance = Text(*dialog, kDistance).toDouble();
    const double truth = MainVelocity();
    std::printf("REGRESSION | %.1f m/s found | %.1f m/s in the main | %.2f m from red, source at %.1f m\n", velocity,
                truth, distance, kSource);
    EXPECT_NEAR(velocity, truth, 0.02 * truth);
    EXPECT_NEAR(distance, kSource, 0.02 * kSource);
    SaveScreenshot(dialog.get(), QStringLiteral("regression-five-points"));

    const auto saved = folder_ / "fem.kvr";
    Give(gui::RegressionFileRequest::SaveRegression, saved);
    dialog->OnCommand(cmd::kRegressionSave);
    auto reopened = MakeDialog();
    Give(gui::RegressionFileRequest::OpenRegression, saved);
    reopened->OnCommand(cmd::kRegressionOpen);
    for (const int id : {kFileName, kDelay, kLength, kVelocityEdit, kDistance, kStatic}) {
        EXPECT_EQ(Text(*reopened, id), Text(*dialog, id)) << id;
    }
    EXPECT_TRUE(reopened->MenuAction(cmd::kRegressionSave)->isEnabled());

    // A later version of the file is refused in a plain box and leaves the set on show alone.
    {
        std::fstream file(saved, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4);
        file.put(2);
    }
    reopened->OnCommand(cmd::kRegressionNew);
    AddMeasurement(*reopened, Point(2));
    hook_.ExpectNext(str::kRegressionVersionNotSupported, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenRegression, saved);
    reopened->OnCommand(cmd::kRegressionOpen);
    EXPECT_EQ(hook_.ShownBoxes().back().style, static_cast<uint32_t>(kStyleOk));
    EXPECT_EQ(Text(*reopened, kFileName), QStringLiteral("maaling-250"));
    EXPECT_EQ(reopened->Session().Data().Count(), 1u);
}

TEST_F(RegressionDialogTest, ExcludeRestoreDeleteAndNavigate)
{
    auto dialog = MakeDialog(UnitSystem::Imperial, TimeUnit::Milliseconds);
    EXPECT_EQ(Control<QLabel>(dialog->Client(), 1507)->text(), QStringLiteral("Løbetid (ms)"));
    EXPECT_EQ(Control<QLabel>(dialog->Client(), 1509)->text(), QStringLiteral("Beregnet hastighed (ft/ms)"));
    EXPECT_TRUE(Enabled(*dialog, kAdd));
    for (const int id : {kToggle, kPrevious, kNext}) {
        EXPECT_FALSE(Enabled(*dialog, id)) << id;
    }
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionInformation)->isEnabled());
    SaveScreenshot(dialog.get(), QStringLiteral("regression-empty"));

    AddMeasurement(*dialog, Point(0));
    EXPECT_TRUE(Enabled(*dialog, kToggle));
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_EQ(Text(*dialog, kVelocityEdit), QString());
    AddMeasurement(*dialog, Point(4));
    AddMeasurement(*dialog, Point(2));
    EXPECT_TRUE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_EQ(Text(*dialog, kLength), QStringLiteral("492.13"));  // 150 m in feet

    // A file of another pipe is refused (stop icon) and changes nothing.
    hook_.ExpectNext(str::kPipeDataMismatch, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenMeasurement, *Measurements() / "andet-ror.kvd");
    Click(dialog->Client(), kAdd);
    EXPECT_EQ(hook_.ShownBoxes().back().style, static_cast<uint32_t>(kStyleStop));
    EXPECT_EQ(dialog->Session().Data().Count(), 3u);

    // "<" from the first point wraps to the last; "Fjern" answered No only excludes it.
    Click(dialog->Client(), kPrevious);
    EXPECT_EQ(Text(*dialog, kFileName), QStringLiteral("maaling-250"));
    const QString withAll = Text(*dialog, kVelocityEdit);
    EXPECT_EQ(Control<QPushButton>(dialog->Client(), kToggle)->text(), QStringLiteral("Fjern"));
    hook_.ExpectNext(str::kRemovePermanently, MessageAnswer::No);
    Click(dialog->Client(), kToggle);
    EXPECT_EQ(Control<QPushButton>(dialog->Client(), kToggle)->text(), QStringLiteral("Gendan"));
    EXPECT_EQ(dialog->Session().Data().IncludedCount(), 2u);
    EXPECT_NE(Text(*dialog, kVelocityEdit), withAll);
    SaveScreenshot(dialog.get(), QStringLiteral("regression-excluded-point"));

    // Its cross turns red; "Gendan" includes it again.
    const QImage chart = Control<gui::CImagePicture>(dialog->Client(), kChart)->Image();
    const auto bits = reinterpret_cast<const QRgb*>(chart.constBits());
    EXPECT_NE(std::find(bits, bits + chart.width() * chart.height(), gui::RegressionChartPainter::kExcluded),
              bits + chart.width() * chart.height());
    Click(dialog->Client(), kToggle);
    EXPECT_EQ(Control<QPushButton>(dialog->Client(), kToggle)->text(), QStringLiteral("Fjern"));
    EXPECT_EQ(Text(*dialog, kVelocityEdit), withAll);

    // Yes deletes it for good; ">" wraps to the first.
    hook_.ExpectNext(str::kRemovePermanently, MessageAnswer::Yes);
    Click(dialog->Client(), kToggle);
    EXPECT_EQ(dialog->Session().Data().Count(), 2u);
    Click(dialog->Client(), kNext);
    EXPECT_EQ(Text(*dialog, kFileName), QStringLiteral("maaling-150"));

    // "&Ny" empties the set and the static sensor.
    dialog->OnCommand(cmd::kRegressionNew);
    EXPECT_EQ(Text(*dialog, kFileName), QString());
    EXPECT_EQ(Text(*dialog, kStatic), QString());
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionStaticRed)->isChecked());
    EXPECT_FALSE(Enabled(*dialog, kToggle));
}

TEST(StaticSensorDialog, OneBoxAtATimeAndTheChoiceHoldsHoweverItCloses)
{
    gui::CStaticSensorDialog dialog;
    EXPECT_EQ(dialog.Choice(), 0u);
    EXPECT_TRUE(Control<QAbstractButton>(&dialog, gui::staticsensorctl::kInterface)->isChecked());
    Click(&dialog, gui::staticsensorctl::kYellow);
    SaveScreenshot(&dialog, QStringLiteral("regression-static-sensor"));
    EXPECT_FALSE(Control<QAbstractButton>(&dialog, gui::staticsensorctl::kInterface)->isChecked());
    dialog.reject();
    EXPECT_EQ(dialog.Choice(), 3u);
}

// "&Regressionsanalyse" from the main menu opens the dialog in the user's units.
class RegressionCommand : public AppFixture {};

TEST_F(RegressionCommand, OpensTheDialogInTheUsersUnits)
{
    Start();
    app_->SetUnitSystem(UnitSystem::Imperial);
    bool shown = false;
    OnNextModal(QStringLiteral("regressionDialog"), [&shown](QDialog* dialog) {
        auto* regression = static_cast<gui::CRegressionDialog*>(dialog);
        EXPECT_EQ(Control<QLabel>(regression->Client(), 1508)->text(), QStringLiteral("Rørlængde (ft)"));
        shown = true;
        Click(regression->Client(), 1);
    });
    Frame().Action(cmd::kRegressionAnalysis)->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace korvanta::test
