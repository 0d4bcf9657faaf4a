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
#include "gui/view/CImagePicture.h"
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

enum ControlId {
    kChart = 1495,
    kFileName = 1496,
    kDelay = 1497,
    kLength = 1498,
    kVelocityEdit = 1499,
    kDistance = 1500,
    kStatic = 1501,
    kAdd = 1502,
    kToggle = 1503,
    kPrevious = 1504,
    kNext = 1505
};

// One kit measurement per pipe length, saved as kvd files once for all tests, and a file of
// another pipe.
class KitMeasurements {
public:
    static const KitMeasurements& Get()
    {
        static const KitMeasurements measurements;
        return measurements;
    }
    std::filesystem::path Point(size_t index) const { return Path(Name(kLengths[index])); }
    std::filesystem::path OtherPipe() const { return folder_ / "andet-ror.kvd"; }
    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    static std::string Name(float length) { return "maaling-" + std::to_string(static_cast<int>(length)) + ".kvd"; }

    KitMeasurements()
    {
        for (const float length : kLengths) {
            const auto scenario = MainWithBlueAt(length);
            e2e::KitRig rig(e2e::FastScenarioKit(scenario));
            if (!rig.Open()) {
                error_ = "the kit did not open: " + rig.kitError;
                return;
            }
            // The user's pipe: the stretch between the sensors.
            PipeSections pipe = e2e::UserPipe(*scenario);
            pipe[0].length = length;
            rig.document->ApplySensorCombination(6);
            rig.document->ApplyPipeData(pipe);
            if (rig.Measure(6) != MeasurementRunner::Outcome::Complete || !rig.document->Save(Path(Name(length)))) {
                error_ = "no measurement at " + std::to_string(length) + ": " + rig.messageText.str();
                return;
            }
            if (length == kLengths[0]) {
                pipe[0].diameter = 2.0f * kBore;
                rig.document->ApplyPipeData(pipe);
                rig.document->Save(OtherPipe());
            }
        }
    }
    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

    TempFolder folder_;
    std::string error_;
};

// The dialog with every file dialog and message box answered by the test.
class RegressionDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(KitMeasurements::Get().Ok()) << KitMeasurements::Get().Error();
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
            if (files_.empty()) {
                ADD_FAILURE() << "no file to give for request " << static_cast<int>(request);
                return QString();
            }
            EXPECT_EQ(files_.front().first, request);
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
                Click(sensor, 1513);
                sensor->accept();
            });
        }
        Click(dialog.Client(), kAdd);
    }

    void AddAllFive(gui::CRegressionDialog& dialog)
    {
        for (size_t i = 0; i < std::size(kLengths); ++i) {
            AddMeasurement(dialog, KitMeasurements::Get().Point(i));
        }
    }

    static QString Text(gui::CRegressionDialog& dialog, int id) { return TextOf(dialog.Client(), id); }
    static bool Enabled(gui::CRegressionDialog& dialog, int id)
    {
        return Control<QWidget>(dialog.Client(), id)->isEnabled();
    }
    static QString ButtonText(gui::CRegressionDialog& dialog, int id)
    {
        return Control<QPushButton>(dialog.Client(), id)->text();
    }
    static QString LabelText(gui::CRegressionDialog& dialog, int id)
    {
        return Control<QLabel>(dialog.Client(), id)->text();
    }

    gui::MessageBoxHook hook_;
    gui::CMessageBoxSink sink_;
    std::deque<std::pair<gui::RegressionFileRequest, std::filesystem::path>> files_;
    TempFolder folder_;
};

TEST_F(RegressionDialogTest, FiveKitMeasurementsGiveTheVelocityAndTheSourceAndSurviveAKvrFile)
{
    auto dialog = MakeDialog();
    AddAllFive(*dialog);
    ASSERT_EQ(dialog->Session().Data().Count(), 5u);
    EXPECT_EQ(Text(*dialog, kStatic), QStringLiteral("Rød"));
    EXPECT_TRUE(dialog->MenuAction(cmd::kRegressionStaticRed)->isChecked());
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionStaticBlue)->isChecked());
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
    EXPECT_TRUE(Enabled(*reopened, kToggle));
    EXPECT_TRUE(reopened->MenuAction(cmd::kRegressionSave)->isEnabled());
}

TEST_F(RegressionDialogTest, ExcludeRestoreDeleteAndNavigate)
{
    auto dialog = MakeDialog(UnitSystem::Imperial, TimeUnit::Milliseconds);
    EXPECT_EQ(LabelText(*dialog, 1507), QStringLiteral("Løbetid (ms)"));
    EXPECT_EQ(LabelText(*dialog, 1508), QStringLiteral("Rørlængde (ft)"));
    EXPECT_EQ(LabelText(*dialog, 1509), QStringLiteral("Beregnet hastighed (ft/ms)"));
    EXPECT_EQ(LabelText(*dialog, 1510), QStringLiteral("Afstand fra statisk sensor (ft)"));
    EXPECT_TRUE(Enabled(*dialog, kAdd));
    for (const int id : {kToggle, kPrevious, kNext}) {
        EXPECT_FALSE(Enabled(*dialog, id)) << id;
    }
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionInformation)->isEnabled());
    SaveScreenshot(dialog.get(), QStringLiteral("regression-empty"));

    AddMeasurement(*dialog, KitMeasurements::Get().Point(0));
    EXPECT_TRUE(Enabled(*dialog, kToggle));
    EXPECT_FALSE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_EQ(Text(*dialog, kVelocityEdit), QString());
    AddMeasurement(*dialog, KitMeasurements::Get().Point(4));
    AddMeasurement(*dialog, KitMeasurements::Get().Point(2));
    EXPECT_TRUE(dialog->MenuAction(cmd::kRegressionSave)->isEnabled());
    EXPECT_EQ(Text(*dialog, kLength), QStringLiteral("492.13"));  // 150 m in feet

    // Another pipe, and a file that is no measurement file, are refused and change nothing.
    hook_.ExpectNext(str::kPipeDataMismatch, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenMeasurement, KitMeasurements::Get().OtherPipe());
    Click(dialog->Client(), kAdd);
    const auto text = folder_ / "noter.txt";
    std::ofstream(text) << "ikke en måling";
    hook_.ExpectNext(str::kOnlyKvdFiles, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenMeasurement, text);
    Click(dialog->Client(), kAdd);
    EXPECT_EQ(dialog->Session().Data().Count(), 3u);

    // "<" from the first point wraps to the last; "Fjern" answered No only excludes it.
    Click(dialog->Client(), kPrevious);
    EXPECT_EQ(Text(*dialog, kFileName), QStringLiteral("maaling-250"));
    const QString withAll = Text(*dialog, kVelocityEdit);
    EXPECT_EQ(ButtonText(*dialog, kToggle), QStringLiteral("Fjern"));
    hook_.ExpectNext(str::kRemovePermanently, MessageAnswer::No);
    Click(dialog->Client(), kToggle);
    EXPECT_EQ(ButtonText(*dialog, kToggle), QStringLiteral("Gendan"));
    EXPECT_EQ(dialog->Session().Data().IncludedCount(), 2u);
    EXPECT_NE(Text(*dialog, kVelocityEdit), withAll);
    SaveScreenshot(dialog.get(), QStringLiteral("regression-excluded-point"));

    // Its cross turns red; "Gendan" includes it again.
    const QImage chart = Control<gui::CImagePicture>(dialog->Client(), kChart)->Image();
    bool red = false;
    for (int y = 0; y < chart.height() && !red; ++y)
        for (int x = 0; x < chart.width() && !red; ++x)
            red = chart.pixel(x, y) == gui::RegressionChartPainter::kExcluded;
    EXPECT_TRUE(red);
    Click(dialog->Client(), kToggle);
    EXPECT_EQ(ButtonText(*dialog, kToggle), QStringLiteral("Fjern"));
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

TEST_F(RegressionDialogTest, AKvrFileOfALaterVersionIsRefusedInAPlainBox)
{
    auto dialog = MakeDialog();
    AddMeasurement(*dialog, KitMeasurements::Get().Point(1));
    AddMeasurement(*dialog, KitMeasurements::Get().Point(3));
    const auto path = folder_ / "ny.kvr";
    Give(gui::RegressionFileRequest::SaveRegression, path);
    dialog->OnCommand(cmd::kRegressionSave);
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4);
        file.put(2);
    }
    auto other = MakeDialog();
    AddMeasurement(*other, KitMeasurements::Get().Point(0));
    hook_.ExpectNext(str::kRegressionVersionNotSupported, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenRegression, path);
    other->OnCommand(cmd::kRegressionOpen);
    EXPECT_EQ(hook_.ShownBoxes().back().style, static_cast<uint32_t>(kStyleOk));
    EXPECT_EQ(other->Session().Data().Count(), 1u);
    EXPECT_EQ(Text(*other, kFileName), QStringLiteral("maaling-150"));

    hook_.ExpectNext(str::kFileNotOpened, MessageAnswer::Ok);
    Give(gui::RegressionFileRequest::OpenRegression, folder_ / "findes-ikke.kvr");
    other->OnCommand(cmd::kRegressionOpen);
}

TEST(StaticSensorDialog, OneBoxAtATimeAndTheChoiceHoldsHoweverItCloses)
{
    gui::CStaticSensorDialog dialog;
    EXPECT_EQ(dialog.Choice(), 0u);
    EXPECT_TRUE(Control<QAbstractButton>(&dialog, 1512)->isChecked());
    Click(&dialog, 1517);
    EXPECT_EQ(dialog.Choice(), 3u);
    EXPECT_FALSE(Control<QAbstractButton>(&dialog, 1512)->isChecked());
    SaveScreenshot(&dialog, QStringLiteral("regression-static-sensor"));
    Click(&dialog, 1515);
    dialog.reject();
    EXPECT_EQ(dialog.Choice(), 2u);
    EXPECT_TRUE(Control<QAbstractButton>(&dialog, 1515)->isChecked());
    EXPECT_FALSE(Control<QAbstractButton>(&dialog, 1517)->isChecked());
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
