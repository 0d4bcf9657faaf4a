// The document's commands from the menu, through their dialogs, into the document, as a new
// user would try them in the running program.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

#include "core/app/CommandIds.h"
#include "core/document/DocumentHints.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/text/StringIds.h"
#include "gui/app/CMainFrame.h"
#include "gui/pipe/CSectionDialog.h"
#include "gui/pipe/CPipeDatabaseDialog.h"
#include "gui/pipe/CPipeDataDialog.h"
#include "gui/pipe/CMaterialNameDialog.h"
#include "gui/document/CSensorConfigurationDialog.h"
#include "gui/document/CMeasurementSetupDialog.h"
#include "gui/document/CFilterDialog.h"
#include "gui/document/CFileInformationDialog.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

class DocumentCommandsGui : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gui::AppOptions options = Options();
        options.startComms = false;
        Start(options);
    }
    void Choose(uint32_t command) { Frame().Action(command)->trigger(); }
    CKorvantaDoc& Doc() { return app_->Document(); }

    // "Rørmaterialer": a new material by that name, then OK.
    void AddMaterialThroughTheMenu(const QString& material)
    {
        OnNextModal(QStringLiteral("pipeDatabaseDialog"), [material](QDialog* dialog) {
            OnNextModal(QStringLiteral("materialNameDialog"), [material](QDialog* name) {
                Type(name, gui::materialnamectl::kName, material);
                Click(name, 1);
            });
            Click(dialog, gui::pipedatabasectl::kAddMaterial);
            Click(dialog, 1);
        });
        Choose(cmd::kPipeMaterials);
    }
};

void AddSection(QDialog* pipeData, const QString& material, const QString& length)
{
    OnNextModal(QStringLiteral("sectionDialog"), [material, length](QDialog* section) {
        auto* combo = Control<QComboBox>(section, gui::sectionctl::kMaterial);
        combo->setCurrentIndex(combo->findText(material));
        Type(section, gui::sectionctl::kLength, length);
        Click(section, 1);
    });
    Click(pipeData, gui::pipedatactl::kAdd);
}

TEST_F(DocumentCommandsGui, ParametreStoresThePipeAndCancelLeavesIt)
{
    OnNextModal(QStringLiteral("pipeDataDialog"), [](QDialog* dialog) {
        AddSection(dialog, QStringLiteral("PVC"), QStringLiteral("120"));
        Click(dialog, 2);
    });
    Choose(cmd::kPipeParameters);
    EXPECT_EQ(Doc().Pipe().SectionCount(), 0);

    OnNextModal(QStringLiteral("pipeDataDialog"), [](QDialog* dialog) {
        AddSection(dialog, QStringLiteral("PVC"), QStringLiteral("120"));
        AddSection(dialog, QStringLiteral("Dukt. stbj"), QStringLiteral("30"));
        Click(dialog, 1);
    });
    Choose(cmd::kPipeParameters);
    ASSERT_EQ(Doc().Pipe().SectionCount(), 2);
    EXPECT_EQ(Doc().Pipe().SectionMaterial(0), 8);
    EXPECT_FLOAT_EQ(Doc().Pipe().TotalLength(), 150.0f);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(DocumentCommandsGui, RoermaterialerPutsTheEditedDatabaseInForce)
{
    AddMaterialThroughTheMenu(QStringLiteral("PE 100"));
    EXPECT_EQ(Doc().Materials().MaterialCount(), 12);
    EXPECT_EQ(Doc().Pipe().MaterialName(11), "PE 100");

    // Restoring the defaults asks first and takes them back.
    hook_.ExpectNext(str::kRestoreMaterialsQuestion, MessageAnswer::Yes);
    Choose(cmd::kRestoreDefaultMaterials);
    EXPECT_EQ(Doc().Materials().MaterialCount(), 11);
}

TEST_F(DocumentCommandsGui, AnEditedDatabaseIsSavedAtExit)
{
    AddMaterialThroughTheMenu(QStringLiteral("PE 100"));
    app_->ExitInstance();
    NullMessageSink quiet;
    const CMaterialDatabase reread(folder_.Path(), quiet);
    EXPECT_EQ(reread.MaterialCount(), 12);
    EXPECT_EQ(reread.MaterialName(11), "PE 100");
}

TEST_F(DocumentCommandsGui, FiltreStoresTheConfirmedFiltersAsTheUsersFilters)
{
    OnNextModal(QStringLiteral("filterDialog"), [](QDialog* dialog) {
        Type(dialog, gui::filterctl::kLowCutoff, QStringLiteral("100"));
        Type(dialog, gui::filterctl::kHighCutoff, QStringLiteral("600"));
        Click(dialog, gui::filterctl::kAddNotch);
        Type(dialog, gui::filterctl::kNotchLow, QStringLiteral("45"));
        Type(dialog, gui::filterctl::kNotchHigh, QStringLiteral("55"));
        Click(dialog, gui::filterctl::kAccept);  // Accept changes the dialog only
        Click(dialog, 1);
    });
    Choose(cmd::kFilters);
    EXPECT_EQ(Doc().Filters().LowCutoff(), 100.0f);
    EXPECT_EQ(Doc().Filters().HighCutoff(), 600.0f);
    EXPECT_EQ(Doc().Filters().NotchCount(), 1);
    EXPECT_EQ(Doc().Edit().SavedFilters().notches[0].high, 55.0f);
}

TEST_F(DocumentCommandsGui, FilinformationStoresTheTexts)
{
    OnNextModal(QStringLiteral("fileInformationDialog"), [](QDialog* dialog) {
        Type(dialog, gui::fileinfoctl::kTitle, QStringLiteral("Søndergade 4"));
        Type(dialog, gui::fileinfoctl::kComment1, QStringLiteral("Hydrant ved nr. 6"));
        Type(dialog, gui::fileinfoctl::kUserInformation, QStringLiteral("JK"));
        Click(dialog, 1);
    });
    Choose(cmd::kFileInformation);
    EXPECT_EQ(Doc().GetFileInformation().title, "Søndergade 4");
    EXPECT_EQ(Doc().CommentLines()[0], "Hydrant ved nr. 6");
    EXPECT_EQ(Doc().GetFileInformation().userInformation, "JK");
}

TEST_F(DocumentCommandsGui, KorrelationComesBackAfterTheSensorAndPipeDetours)
{
    std::vector<bool> timeEditable;
    // Third showing: the measurement time is locked now that a section exists; OK ends it.
    const auto third = [&](QDialog* setup) {
        timeEditable.push_back(Control<QRadioButton>(setup, gui::setupctl::kStandard)->isEnabled());
        Click(setup, 1);
    };
    // Second showing: "Rør" defines a section.
    const auto second = [&](QDialog* setup) {
        timeEditable.push_back(Control<QRadioButton>(setup, gui::setupctl::kStandard)->isEnabled());
        OnNextModal(QStringLiteral("pipeDataDialog"), [](QDialog* pipe) {
            AddSection(pipe, QStringLiteral("PVC"), QStringLiteral("50"));
            Click(pipe, 1);
        });
        OnNextModal(QStringLiteral("measurementSetupDialog"), third);
        Click(setup, 3);
    };
    // First showing: "Sensor" chooses blue and yellow.
    OnNextModal(QStringLiteral("measurementSetupDialog"), [&](QDialog* setup) {
        timeEditable.push_back(Control<QRadioButton>(setup, gui::setupctl::kStandard)->isEnabled());
        OnNextModal(QStringLiteral("sensorConfigurationDialog"), [](QDialog* sensors) {
            Click(sensors, gui::sensorsctl::kFirstChoice + 2);
            Click(sensors, 1);
        });
        OnNextModal(QStringLiteral("measurementSetupDialog"), second);
        Click(setup, gui::setupctl::kSensor);
    });
    Choose(cmd::kCorrelation);
    EXPECT_EQ(timeEditable, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Doc().SensorPairCode(), 12u);
    EXPECT_EQ(Doc().Pipe().SectionCount(), 1);
    EXPECT_TRUE(Doc().IsModified());
}

}  // namespace
}  // namespace korvanta::test
