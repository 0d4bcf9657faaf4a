// The pipe data, section and pipe database dialogs driven by their controls, as a user would.
#include <QComboBox>
#include <QFocusEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>

#include "core/pipe/CMaterialDatabase.h"
#include "core/text/StringIds.h"
#include "gui/pipe/CPipeDataDialog.h"
#include "gui/pipe/CPipeDatabaseDialog.h"
#include "gui/pipe/CSectionDialog.h"
#include "gui/pipe/CMaterialNameDialog.h"
#include "gui/pipe/CDiameterVelocityDialog.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using namespace gui;

constexpr int kPvc = 8;
constexpr int kDuctileIron = 2;

// The shipped material database in a folder of its own.
struct Materials {
    TempFolder folder;
    ScriptedMessages messages;
    std::unique_ptr<CMaterialDatabase> db;
    Materials()
    {
        folder.AddDefaultDataFiles();
        NullMessageSink quiet;
        db = std::make_unique<CMaterialDatabase>(folder.Path(), quiet);
    }
};

// Fills the section dialog: material by name, then length and diameter (leaving the diameter
// proposes the velocity), then OK.
void EnterSection(QDialog* dialog, const QString& material, const QString& length, const QString& diameter)
{
    auto* combo = Control<QComboBox>(dialog, sectionctl::kMaterial);
    combo->setCurrentIndex(combo->findText(material));
    Type(dialog, sectionctl::kLength, length);
    Type(dialog, sectionctl::kDiameter, diameter);
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(Control<QLineEdit>(dialog, sectionctl::kDiameter), &leave);
    Click(dialog, 1);
}

QString Cell(QWidget* dialog, int row, int column)
{
    return Control<QTreeWidget>(dialog, pipedatactl::kList)->topLevelItem(row)->text(column);
}

TEST(PipeDataDialog, SectionsAreAddedMovedEditedAndRemovedInTheUsersUnits)
{
    Materials m;
    CPipeDataDialog dialog(PipeSections{}, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    SaveScreenshot(&dialog, QStringLiteral("pipe-data-metric-empty"));
    EXPECT_FALSE(Control<QPushButton>(&dialog, pipedatactl::kRemove)->isEnabled());

    // 120 m of PVC 110 mm: the velocity is proposed from the database.
    const float proposed = m.db->GetVelocityForDiameter(kPvc, 110.0f);
    OnNextModal(QStringLiteral("sectionDialog"), [&](QDialog* section) {
        SaveScreenshot(section, QStringLiteral("section-metric-new"));
        EnterSection(section, QStringLiteral("PVC"), QStringLiteral("120"), QStringLiteral("110"));
    });
    Click(&dialog, pipedatactl::kAdd);
    OnNextModal(QStringLiteral("sectionDialog"), [](QDialog* section) {
        EnterSection(section, QStringLiteral("Dukt. stbj"), QStringLiteral("30"), QStringLiteral("150"));
    });
    Click(&dialog, pipedatactl::kAdd);
    ASSERT_EQ(dialog.Sections()[0].materialIndex, kPvc);
    EXPECT_NEAR(dialog.Sections()[0].velocity, proposed, 0.001f);  // through the edit's six digits
    EXPECT_EQ(Cell(&dialog, 0, 1), QStringLiteral("PVC"));
    EXPECT_EQ(Cell(&dialog, 0, 2), QStringLiteral("120.00"));
    EXPECT_EQ(Cell(&dialog, 0, 4), QStringLiteral("110"));

    // The ductile iron (selected after adding) goes up, is edited and then removed.
    Click(&dialog, pipedatactl::kMoveUp);
    EXPECT_EQ(dialog.Sections()[0].materialIndex, kDuctileIron);
    OnNextModal(QStringLiteral("sectionDialog"), [](QDialog* section) {
        EXPECT_EQ(TextOf(section, sectionctl::kLength), QStringLiteral("30"));
        Type(section, sectionctl::kLength, QStringLiteral("35.5"));
        SaveScreenshot(section, QStringLiteral("section-metric-filled"));
        Click(section, 1);
    });
    Click(&dialog, pipedatactl::kEdit);
    EXPECT_FLOAT_EQ(dialog.Sections()[0].length, 35.5f);
    SaveScreenshot(&dialog, QStringLiteral("pipe-data-metric-filled"));
    Click(&dialog, pipedatactl::kRemove);
    EXPECT_EQ(dialog.Sections()[0].materialIndex, kPvc);
    EXPECT_EQ(dialog.Sections()[1].inUse, 0);
    EXPECT_FALSE(Control<QPushButton>(&dialog, pipedatactl::kMoveUp)->isEnabled());
}

TEST(PipeDataDialog, AValueBelowItsLimitKeepsTheSectionDialogOpen)
{
    Materials m;
    CPipeDataDialog dialog(PipeSections{}, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    m.messages.Expect(str::kInvalidLengthMetric);
    m.messages.Expect(str::kEnterNumber);
    OnNextModal(QStringLiteral("sectionDialog"), [&](QDialog* section) {
        Type(section, sectionctl::kLength, QStringLiteral("0.05"));
        Click(section, 1);
        EXPECT_TRUE(section->isVisible());
        Type(section, sectionctl::kLength, QStringLiteral("1,5"));
        Click(section, 1);
        EXPECT_TRUE(section->isVisible());
        Click(section, 2);
    });
    Click(&dialog, pipedatactl::kAdd);
    EXPECT_EQ(dialog.Sections()[0].inUse, 0);

    // Removing without a chosen section says so.
    PipeSections two{};
    two[0] = {kPvc, 0, 10.0f, 110.0f, 400.0f, 1, {}};
    two[1] = two[0];
    CPipeDataDialog filled(two, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    m.messages.Expect(str::kSelectPipeSection);
    Click(&filled, pipedatactl::kRemove);
    EXPECT_EQ(filled.Sections()[1].inUse, 1);
}

TEST(PipeDataDialog, FeetAndMillisecondsAreShownAndTakenUnderADanishLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "da_DK.UTF-8") == nullptr)
        GTEST_SKIP() << "da_DK.UTF-8 is not installed (scripts/install-deps.sh makes it)";
    Materials m;
    {
        CPipeDataDialog empty(PipeSections{}, *m.db, UnitSystem::Imperial, TimeUnit::Milliseconds, 6, m.messages);
        SaveScreenshot(&empty, QStringLiteral("pipe-data-imperial-empty"));
    }
    PipeSections pipe{};
    pipe[0] = {kPvc, 0, 120.0f, 110.0f, 400.0f, 1, {}};
    CPipeDataDialog dialog(pipe, *m.db, UnitSystem::Imperial, TimeUnit::Milliseconds, 12, m.messages);
    EXPECT_EQ(Cell(&dialog, 0, 2), QStringLiteral("393.7"));
    EXPECT_EQ(Cell(&dialog, 0, 3), QStringLiteral("ft"));
    EXPECT_EQ(Cell(&dialog, 0, 4), QStringLiteral("4.3"));
    EXPECT_EQ(Cell(&dialog, 0, 6), QStringLiteral("1.31"));
    EXPECT_EQ(Cell(&dialog, 0, 7), QStringLiteral("ft/ms"));
    OnNextModal(QStringLiteral("sectionDialog"), [](QDialog* section) {
        SaveScreenshot(section, QStringLiteral("section-imperial-new"));
        Type(section, sectionctl::kLength, QStringLiteral("100.5"));
        Type(section, sectionctl::kDiameter, QStringLiteral("6"));
        Type(section, sectionctl::kVelocity, QStringLiteral("1.5"));
        SaveScreenshot(section, QStringLiteral("section-imperial-filled"));
        Click(section, 1);
    });
    Click(&dialog, pipedatactl::kAdd);
    SaveScreenshot(&dialog, QStringLiteral("pipe-data-imperial-filled"));
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_FLOAT_EQ(dialog.Sections()[1].length, static_cast<float>(100.5f * 0.3047999902464003));
    EXPECT_FLOAT_EQ(dialog.Sections()[1].diameter, static_cast<float>(6.0f * 25.4000508001016));
    EXPECT_FLOAT_EQ(dialog.Sections()[1].velocity, static_cast<float>(1.5f * 0.3047999902464003 * 1000.0));
}

TEST(PipeDatabaseDialog, MaterialsAndEntriesAreEditedAndDuplicatesRefused)
{
    Materials m;
    std::array<Material, kMaxMaterials> materials{};
    m.db->CopyOut(materials);
    PipeSections pipe{};
    CPipeDatabaseDialog dialog(materials, pipe, UnitSystem::Metric, TimeUnit::Seconds, m.messages);
    SaveScreenshot(&dialog, QStringLiteral("pipe-database-metric"));
    auto* list = Control<QListWidget>(&dialog, pipedatabasectl::kMaterialList);
    const int count = list->count();

    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        SaveScreenshot(name, QStringLiteral("material-name"));
        Type(name, materialnamectl::kName, QStringLiteral("PE 100"));
        Click(name, 1);
    });
    Click(&dialog, pipedatabasectl::kAddMaterial);
    ASSERT_EQ(list->count(), count + 1);
    EXPECT_EQ(list->currentRow(), count);
    EXPECT_TRUE(Control<QPushButton>(&dialog, pipedatabasectl::kRemoveMaterial)->isEnabled());

    OnNextModal(QStringLiteral("diameterVelocityDialog"), [](QDialog* entry) {
        Type(entry, diametervelocityctl::kDiameter, QStringLiteral("160"));
        Type(entry, diametervelocityctl::kVelocity, QStringLiteral("400"));
        SaveScreenshot(entry, QStringLiteral("diameter-velocity-metric"));
        Click(entry, 1);
    });
    Click(&dialog, pipedatabasectl::kAddEntry);
    auto* entries = Control<QTreeWidget>(&dialog, pipedatabasectl::kEntryList);
    ASSERT_EQ(entries->topLevelItemCount(), 2);
    EXPECT_EQ(entries->topLevelItem(1)->text(0), QStringLiteral("160"));
    EXPECT_EQ(TextOf(&dialog, pipedatabasectl::kVelocity), QStringLiteral("400"));
    SaveScreenshot(&dialog, QStringLiteral("pipe-database-metric-filled"));
    // Rows a person can read: the text and some air, in both lists.
    dialog.show();
    const int readable = list->fontMetrics().height() + 4;
    EXPECT_GE(list->visualItemRect(list->item(0)).height(), readable);
    EXPECT_GE(entries->visualItemRect(entries->topLevelItem(0)).height(), readable);

    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        EXPECT_EQ(TextOf(name, materialnamectl::kName), QStringLiteral("PE 100"));
        Type(name, materialnamectl::kName, QStringLiteral("PE 100 SDR11"));
        Click(name, 1);
    });
    Click(&dialog, pipedatabasectl::kRenameMaterial);
    EXPECT_EQ(list->item(count)->text(), QStringLiteral("PE 100 SDR11"));

    m.messages.Expect(str::kMaterialNameExists);
    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        Type(name, materialnamectl::kName, QStringLiteral("pvc"));
        Click(name, 1);
    });
    Click(&dialog, pipedatabasectl::kAddMaterial);
    EXPECT_EQ(list->count(), count + 1);

    Click(&dialog, pipedatabasectl::kRemoveMaterial);
    EXPECT_EQ(list->count(), count);
    EXPECT_EQ(dialog.Editor().MaterialCount(), count);
}

TEST(PipeDatabaseDialog, ImperialEntriesAreShownAndCheckedInFeetPerMillisecond)
{
    Materials m;
    std::array<Material, kMaxMaterials> materials{};
    m.db->CopyOut(materials);
    CPipeDatabaseDialog dialog(materials, PipeSections{}, UnitSystem::Imperial, TimeUnit::Milliseconds, m.messages);
    Control<QListWidget>(&dialog, pipedatabasectl::kMaterialList)->setCurrentRow(kPvc);
    Control<QTreeWidget>(&dialog, pipedatabasectl::kEntryList)
        ->setCurrentItem(Control<QTreeWidget>(&dialog, pipedatabasectl::kEntryList)->topLevelItem(0));
    EXPECT_EQ(TextOf(&dialog, pipedatabasectl::kDiameter), QStringLiteral("1.4"));  // 36 mm
    SaveScreenshot(&dialog, QStringLiteral("pipe-database-imperial"));

    m.messages.Expect(str::kInvalidDiameterImperial);
    OnNextModal(QStringLiteral("diameterVelocityDialog"), [](QDialog* entry) {
        Type(entry, diametervelocityctl::kDiameter, QStringLiteral("0.039"));
        Type(entry, diametervelocityctl::kVelocity, QStringLiteral("1.2"));
        Click(entry, 1);
        EXPECT_TRUE(entry->isVisible());
        Type(entry, diametervelocityctl::kDiameter, QStringLiteral("0.04"));
        SaveScreenshot(entry, QStringLiteral("diameter-velocity-imperial"));
        Click(entry, 1);
    });
    Click(&dialog, pipedatabasectl::kAddEntry);
    const Material& pvc = dialog.Editor().Materials()[kPvc];
    EXPECT_FLOAT_EQ(pvc.diameters[0], static_cast<float>(0.04f * 25.4000508001016));
    EXPECT_FLOAT_EQ(pvc.velocities[0], static_cast<float>(1.2f * 0.3047999902464003 * 1000.0));
}

}  // namespace
}  // namespace korvanta::test
