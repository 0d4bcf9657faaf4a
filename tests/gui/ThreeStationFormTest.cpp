// The three-station form as a new user meets it: "3 sendere", the wizard's set-up, START against
// the simulated kit's three-station main, the pairs and the result, kv3 save and open, and back
// to two stations.
#include "gui/threestation/CThreeStationForm.h"

#include <QAction>
#include <QMenuBar>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <cstdlib>
#include <fstream>

#include "core/app/CommandIds.h"
#include "core/document/DocumentHints.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "gui/app/CInitialisationDialog.h"
#include "gui/document/CFilterDialog.h"
#include "gui/forms/CTemplateGroupBox.h"
#include "gui/threestation/CThreeStationMode.h"
#include "gui/threestation/ThreeStationFormTemplate.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"
#include "gui/threestation/ThreeStationFormTemplate.h"
#include "tests/support/WholeFile.h"

namespace korvanta::test {
namespace {

namespace ctl3 = gui::ctl3;

using gui::CThreeStationForm;

constexpr int kDuctileIron = 2;
constexpr double kLeakFromRed = 47.3;

template <typename Widget>
Widget* Control(QWidget& parent, int id)
{
    return parent.findChild<Widget*>(QStringLiteral("ctl%1").arg(id));
}

// The whole program on the kit's 300 m iron main (red 0, blue 120 m, yellow 300 m), unpaced so
// that a measurement takes moments; the wizard and the file dialogs answered by the test.
class ThreeStationFormTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        std::string text = ReadAll(std::string(KORVANTA_DATA_DIR) + "/../docs/scenarios/three-station-iron.json");
        ASSERT_FALSE(text.empty());
        text.insert(text.find('{') + 1, "\n  \"paced\": false,");
        std::ofstream(folder_ / "main.json") << text;
        setenv("KORVANTA_SIM_SCENARIO", (folder_ / "main.json").c_str(), 1);
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        unsetenv("KORVANTA_SIM_SCENARIO");
    }

    void StartOnTheKit()
    {
        gui::AppOptions options = Options();
        options.runThreeStationSetup = [this]() -> std::optional<ThreeStationSetup> {
            ++wizardRuns_;
            ThreeStationSetup setup;
            setup.SetRedBlue(120.0f);
            setup.SetBlueYellow(180.0f);
            const CMaterialDatabase& materials = app_->Document().Materials();
            setup.Finish(materials, kDuctileIron, setup.DefaultCutoffs(materials, kDuctileIron));
            return setup;
        };
        options.askThreeStationFile = [this](bool) { return QString::fromStdString((folder_ / "main.kv3").string()); };
        Start(options);
        gui::CInitialisationDialog dialog(app_->GetLinkState(), "SIM", &Frame());
        dialog.SetCloseDelay(0);
        dialog.show();
        ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.result() == QDialog::Accepted; }));
    }

    CThreeStationForm* EnterThreeStations()
    {
        Frame().RouteCommand(cmd::kThreeStationMode);
        return app_->ThreeStationMode().Form();
    }

    // The status poll until every unit and sensor is there, which enables START.
    static bool WaitForUnits(CThreeStationForm& form)
    {
        return ProcessEventsUntil([&] {
            form.RefreshStatus();
            return Control<QPushButton>(form, ctl3::kStart)->isEnabled();
        });
    }

    static bool WaitForPairs(CThreeStationForm& form, CKorvantaDoc& doc, uint32_t pairs)
    {
        return ProcessEventsUntil([&] {
            const ThreeStationMeasurement& three = doc.ThreeStation();
            return form.HasResult() && three.Record(0).pairTotal >= pairs && three.Record(1).pairTotal >= pairs &&
                   three.Record(2).pairTotal >= pairs;
        });
    }

    int wizardRuns_ = 0;
};

TEST_F(ThreeStationFormTest, AMeasurementFindsTheVelocityAndTheLeakAndTheFileKeepsThem)
{
    StartOnTheKit();
    CThreeStationForm* form = EnterThreeStations();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Frame().IsThreeStationMenu());
    EXPECT_EQ(Frame().Form(), form);
    EXPECT_EQ(Frame().windowTitle().section(QLatin1Char(' '), 0, 2), QStringLiteral("en unavngivet fil"));
    EXPECT_FALSE(Frame().Action(cmd::kThreeStationSave)->isEnabled()) << "nothing to save yet";
    ASSERT_TRUE(WaitForUnits(*form));

    Control<QPushButton>(*form, ctl3::kStart)->click();
    ASSERT_TRUE(form->IsRunning());
    EXPECT_EQ(wizardRuns_, 1);
    EXPECT_EQ(Control<QPushButton>(*form, ctl3::kStart)->text(), QStringLiteral("STOP"));
    EXPECT_FALSE(Frame().Action(cmd::kThreeStationOpen)->isEnabled()) << "menus are off while measuring";
    ASSERT_TRUE(WaitForPairs(*form, app_->Document(), 3));
    form->RefreshMeasuringTime();
    SaveScreenshot(form, QStringLiteral("three-station-measuring"));
    ASSERT_TRUE(WaitForPairs(*form, app_->Document(), 6));
    Control<QPushButton>(*form, ctl3::kStart)->click();
    EXPECT_FALSE(form->IsRunning());
    EXPECT_FALSE(app_->Document().IsMeasuring());
    EXPECT_EQ(Control<QProgressBar>(*form, ctl3::kProgress)->value(), 0);
    EXPECT_EQ(Control<QPushButton>(*form, ctl3::kStart)->text(), QStringLiteral("START"));
    SaveScreenshot(form, QStringLiteral("three-station-stopped"));

    // Each pair's correlation, then the result on the pipe.
    const std::pair<int, const char*> pairs[] = {{ctl3::kRedBlue, "three-station-red-blue"},
                                                 {ctl3::kBlueYellow, "three-station-blue-yellow"},
                                                 {ctl3::kRedYellow, "three-station-red-yellow"}};
    for (const auto& [button, name] : pairs) {
        Control<QRadioButton>(*form, button)->click();
        EXPECT_FALSE(Control<QLabel>(*form, ctl3::kDelay)->text().isEmpty()) << name;
        EXPECT_TRUE(Control<QLabel>(*form, ctl3::kQuality)->text().endsWith(QStringLiteral(":1"))) << name;
        SaveScreenshot(form, QString::fromLatin1(name));
    }
    Control<QRadioButton>(*form, ctl3::kResult)->click();
    EXPECT_EQ(form->DisplayedPair(), 14);
    EXPECT_TRUE(Control<QLabel>(*form, ctl3::kDelay)->text().isEmpty());
    EXPECT_TRUE(Control<QLabel>(*form, ctl3::kLowCutoff)->text().isEmpty());
    SaveScreenshot(form, QStringLiteral("three-station-result"));
    // Each pair says how sure it is, green when it can be relied on, amber when not.
    for (int control : {ctl3::kRedBlueVerdict, ctl3::kBlueYellowVerdict, ctl3::kRedYellowVerdict}) {
        const QLabel* verdict = Control<QLabel>(*form, control);
        const bool reliable = verdict->text().startsWith(QStringLiteral("\u25CF Pålideligt resultat"));
        EXPECT_TRUE(reliable || verdict->text().startsWith(QStringLiteral("\u25CF Usikkert resultat: ")))
            << verdict->text().toStdString();
        EXPECT_EQ(verdict->styleSheet().contains(QStringLiteral("#1b7a1b")), reliable);
        EXPECT_EQ(verdict->toolTip().isEmpty(), reliable) << "the reasons in full for a doubtful pair";
    }
    EXPECT_TRUE(Control<QLabel>(*form, ctl3::kRedYellowVerdict)->text().contains(QStringLiteral(" m ± ")))
        << "the kit's main is clean: the pair over the whole span is sure, not "
        << Control<QLabel>(*form, ctl3::kRedYellowVerdict)->text().toStdString();

    const CThreeStationResult measured = form->Result();
    const double velocity = 1282.0;  // ductile iron DN150, the scenario's pipe
    ASSERT_TRUE(measured.IsValid());
    EXPECT_NEAR(measured.Velocity(), velocity, 0.02 * velocity);
    EXPECT_NEAR(measured.RedYellow().fromFirst, kLeakFromRed, 1.0);
    EXPECT_EQ(Control<QLabel>(*form, ctl3::kVelocity)->text().toStdString(),
              FormatVelocity(measured.Velocity(), UnitSystem::Metric, TimeUnit::Seconds));

    // Save, two stations and back, open: the same result.
    Frame().UpdateCommandUi();
    ASSERT_TRUE(Frame().Action(cmd::kThreeStationSave)->isEnabled());
    Frame().RouteCommand(cmd::kThreeStationSave);
    ASSERT_TRUE(std::filesystem::exists(folder_ / "main.kv3"));
    EXPECT_TRUE(Frame().windowTitle().startsWith(QStringLiteral("main.kv3 - Korvanta"))) << "the result's own file";
    Frame().RouteCommand(cmd::kTwoStationMode);
    ASSERT_TRUE(ProcessEventsUntil([&] { return app_->ThreeStationMode().Form() == nullptr; }));
    EXPECT_FALSE(Frame().IsThreeStationMenu());
    EXPECT_FALSE(app_->Document().IsThreeStationMode());

    form = EnterThreeStations();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->HasResult());
    Frame().RouteCommand(cmd::kThreeStationOpen);
    EXPECT_TRUE(form->IsFileLoaded());
    Control<QRadioButton>(*form, ctl3::kResult)->click();
    EXPECT_EQ(form->Result().Velocity(), measured.Velocity());
    EXPECT_EQ(form->Result().RedYellow(), measured.RedYellow());
    EXPECT_EQ(form->Result().Pair(1).distance, 180.0f);
    EXPECT_FALSE(Control<QLabel>(*form, ctl3::kMeasuringTime)->text().isEmpty()) << "the file's measuring time";
    EXPECT_FALSE(Control<QLabel>(*form, ctl3::kRedBlueVerdict)->text().isEmpty()) << "the file's verdicts";
    SaveScreenshot(form, QStringLiteral("three-station-opened"));

    // The toolbar stays beside the form: "Filtre" edits the pair on show and the form recomputes.
    auto* toolbar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(toolbar->isHidden());
    QAction* filters = Frame().Action(cmd::kFilters);
    Frame().UpdateCommandUi();
    EXPECT_FALSE(filters->isEnabled()) << "not for the result view";
    Control<QRadioButton>(*form, ctl3::kRedBlue)->click();
    Frame().UpdateCommandUi();
    ASSERT_TRUE(filters->isEnabled());
    EXPECT_FALSE(Frame().Action(cmd::kFilePrint)->isEnabled()) << "nothing of the two-station view to print";
    OnNextModal(QStringLiteral("filterDialog"), [](QDialog* dialog) {
        Type(dialog, gui::filterctl::kLowCutoff, QStringLiteral("150"));
        Click(dialog, 1);
    });
    filters->trigger();
    EXPECT_EQ(app_->Document().ThreeStation().Record(0).filters.lowCutoff, 150.0f);
    EXPECT_EQ(Control<QLabel>(*form, ctl3::kLowCutoff)->text(), QStringLiteral("150.0"));
    EXPECT_TRUE(form->HasResult());
    SaveScreenshot(&Frame(), QStringLiteral("three-station-frame"));

    // The toolbar's "Ny" is the form's own.
    Frame().Action(cmd::kFileNew)->trigger();
    EXPECT_FALSE(form->HasResult());
    EXPECT_FALSE(form->IsFileLoaded());
}

TEST_F(ThreeStationFormTest, AMeasurementThatMustEndEndsOnTheForm)
{
    StartOnTheKit();
    CThreeStationForm* form = EnterThreeStations();
    ASSERT_TRUE(WaitForUnits(*form));
    Control<QPushButton>(*form, ctl3::kStart)->click();
    ASSERT_TRUE(form->IsRunning());
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->Progress() > 0; }));
    // A failed re-synchronisation: the document asks for no further block and says so.
    hook_.ExpectNext(str::kMeasurementStopped, MessageAnswer::Ok);
    app_->Document().UpdateAllViews(kHintMeasurementEnded);
    EXPECT_FALSE(form->IsRunning());
    EXPECT_FALSE(app_->Document().IsMeasuring());
    EXPECT_EQ(Control<QPushButton>(*form, ctl3::kStart)->text(), QStringLiteral("START"));
}

TEST_F(ThreeStationFormTest, AStationThatIsGoneEndsTheMeasurementNamingIt)
{
    // Yellow's sensor comes off during the measurement.
    std::string text = ReadAll(folder_ / "main.json");
    text.insert(text.find('{') + 1,
                R"(
  "timeline": [ { "afterBlocks": 10, "event": "sensor-unplugged", "unit": "yellow" } ],)");
    std::ofstream(folder_ / "main.json") << text;
    StartOnTheKit();
    CThreeStationForm* form = EnterThreeStations();
    ASSERT_TRUE(WaitForUnits(*form));
    hook_.ExpectNext(str::kNoSensorYellow, MessageAnswer::Ok);
    Control<QPushButton>(*form, ctl3::kStart)->click();
    ASSERT_TRUE(form->IsRunning());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !form->IsRunning(); }));
    EXPECT_EQ(app_->Document().EndReason(), str::kNoSensorYellow);
    EXPECT_FALSE(app_->Document().IsMeasuring());
    EXPECT_EQ(Control<QPushButton>(*form, ctl3::kStart)->text(), QStringLiteral("START"));
}

// The groups' lines run through their titles, above the unit pictures the form places under them.
TEST_F(ThreeStationFormTest, GroupLinesPassAboveTheUnitPictures)
{
    Start();
    CThreeStationForm* form = EnterThreeStations();
    ASSERT_NE(form, nullptr);
    auto* status = form->findChild<gui::CTemplateGroupBox*>(QStringLiteral("ctl1700"));
    ASSERT_NE(status, nullptr);
    const int line = status->y() + status->TopLineY();
    EXPECT_LT(status->y(), line);
    for (int id :
         {gui::ctl3::kInterfaceUnit, gui::ctl3::kRedUnit, gui::ctl3::kBlueUnit, gui::ctl3::kYellowUnit,
          gui::ctl3::kRedSensor, gui::ctl3::kBlueSensor, gui::ctl3::kYellowSensor, gui::ctl3::kInterfaceRadio}) {
        EXPECT_LT(line, Control<QLabel>(*form, id)->y()) << id;
    }
    // Where a line does meet a picture (the pair's sensors), the picture covers it.
    EXPECT_TRUE(Control<QLabel>(*form, gui::ctl3::kPairSensor1)->autoFillBackground());
    // The whole form is inside the window, above the status bar.
    Frame().show();
    QCoreApplication::processEvents();
    EXPECT_LE(form->geometry().bottom() + 1, Frame().statusBar()->geometry().top());
    SaveScreenshot(&Frame(), QStringLiteral("three-station-frame-empty"));
}

TEST_F(ThreeStationFormTest, AnUnsavedTwoStationMeasurementIsNotDroppedUnasked)
{
    Start();
    app_->Document().SetModified(true);
    hook_.ExpectNext(str::kSaveBeforeThreeStation, MessageAnswer::Cancel);
    Frame().RouteCommand(cmd::kThreeStationMode);
    EXPECT_EQ(app_->ThreeStationMode().Form(), nullptr);
    EXPECT_FALSE(app_->Document().IsThreeStationMode());
    EXPECT_TRUE(app_->Document().IsModified());

    hook_.ExpectNext(str::kSaveBeforeThreeStation, MessageAnswer::No);
    Frame().SetDocumentTitle(QStringLiteral("gammel.kvd"));
    Frame().RouteCommand(cmd::kThreeStationMode);
    ASSERT_NE(app_->ThreeStationMode().Form(), nullptr);
    EXPECT_FALSE(Frame().windowTitle().contains(QStringLiteral("gammel"))) << "that measurement is gone";
    EXPECT_TRUE(app_->Document().Path().empty()) << "saving must not overwrite its file";
    EXPECT_TRUE(app_->Document().IsThreeStationMode());
    EXPECT_FALSE(app_->Document().IsModified());
    // The form's own file commands; only "&Filer" and "&Mode" are on show.
    int shown = 0;
    for (QAction* top : Frame().menuBar()->actions()) {
        shown += top->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(shown, 2);
}

TEST_F(ThreeStationFormTest, ADamagedFileIsRefusedAndTheResultOnShowStays)
{
    Start();
    CThreeStationForm* form = EnterThreeStations();
    ASSERT_NE(form, nullptr);
    std::ofstream(folder_ / "short.kv3", std::ios::binary)
        << std::string("\xE3\xAB\x3B\x00", 4) << std::string(100, 'x');
    hook_.ExpectNext(str::kFileOpenDamaged, MessageAnswer::Ok);
    EXPECT_FALSE(form->OpenFile(QString::fromStdString((folder_ / "short.kv3").string())));
    std::ofstream(folder_ / "other.kv3", std::ios::binary) << std::string(235880, 'x');
    hook_.ExpectNext(str::kFileNotValidated, MessageAnswer::Ok);
    EXPECT_FALSE(form->OpenFile(QString::fromStdString((folder_ / "other.kv3").string())));
    EXPECT_FALSE(form->HasResult());
    EXPECT_FALSE(form->IsFileLoaded());
}

}  // namespace
}  // namespace korvanta::test
