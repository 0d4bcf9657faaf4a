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
    auto* combo = Control<QComboBox>(dialog, 1649);
    combo->setCurrentIndex(combo->findText(material));
    Type(dialog, 1650, length);
    Type(dialog, 1651, diameter);
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(Control<QLineEdit>(dialog, 1651), &leave);
    Click(dialog, 1);
}

QString Cell(QWidget* dialog, int row, int column)
{
    return Control<QTreeWidget>(dialog, 1352)->topLevelItem(row)->text(column);
}

TEST(PipeDataDialog, SectionsAreAddedMovedEditedAndRemovedInTheUsersUnits)
{
    Materials m;
    CPipeDataDialog dialog(PipeSections{}, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    SaveScreenshot(&dialog, QStringLiteral("pipe-data-metric-empty"));
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1354)->isEnabled());

    // 120 m of PVC 110 mm: the velocity is proposed from the database.
    const float proposed = m.db->GetVelocityForDiameter(kPvc, 110.0f);
    OnNextModal(QStringLiteral("sectionDialog"), [&](QDialog* section) {
        SaveScreenshot(section, QStringLiteral("section-metric-new"));
        EnterSection(section, QStringLiteral("PVC"), QStringLiteral("120"), QStringLiteral("110"));
    });
    Click(&dialog, 1318);
    OnNextModal(QStringLiteral("sectionDialog"), [](QDialog* section) {
        EnterSection(section, QStringLiteral("Dukt. stbj"), QStringLiteral("30"), QStringLiteral("150"));
    });
    Click(&dialog, 1318);
    ASSERT_EQ(dialog.Sections()[0].materialIndex, kPvc);
    EXPECT_NEAR(dialog.Sections()[0].velocity, proposed, 0.001f);  // through the edit's six digits
    EXPECT_EQ(Cell(&dialog, 0, 1), QStringLiteral("PVC"));
    EXPECT_EQ(Cell(&dialog, 0, 2), QStringLiteral("120.00"));
    EXPECT_EQ(Cell(&dialog, 0, 4), QStringLiteral("110"));

    // The ductile iron (selected after adding) goes up, is edited and then removed.
    Click(&dialog, 1364);
    EXPECT_EQ(dialog.Sections()[0].materialIndex, kDuctileIron);
    OnNextModal(QStringLiteral("sectionDialog"), [](QDialog* section) {
        EXPECT_EQ(TextOf(section, 1650), QStringLiteral("30"));
        Type(section, 1650, QStringLiteral("35.5"));
        SaveScreenshot(section, QStringLiteral("section-metric-filled"));
        Click(section, 1);
    });
    Click(&dialog, 1355);
    EXPECT_FLOAT_EQ(dialog.Sections()[0].length, 35.5f);
    SaveScreenshot(&dialog, QStringLiteral("pipe-data-metric-filled"));
    Click(&dialog, 1354);
    EXPECT_EQ(dialog.Sections()[0].materialIndex, kPvc);
    EXPECT_EQ(dialog.Sections()[1].inUse, 0);
    EXPECT_FALSE(Control<QPushButton>(&dialog, 1364)->isEnabled());
}

TEST(PipeDataDialog, AValueBelowItsLimitKeepsTheSectionDialogOpen)
{
    Materials m;
    CPipeDataDialog dialog(PipeSections{}, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    m.messages.Expect(str::kInvalidLengthMetric);
    m.messages.Expect(str::kEnterNumber);
    OnNextModal(QStringLiteral("sectionDialog"), [&](QDialog* section) {
        Type(section, 1650, QStringLiteral("0.05"));
        Click(section, 1);
        EXPECT_TRUE(section->isVisible());
        Type(section, 1650, QStringLiteral("1,5"));
        Click(section, 1);
        EXPECT_TRUE(section->isVisible());
        Click(section, 2);
    });
    Click(&dialog, 1318);
    EXPECT_EQ(dialog.Sections()[0].inUse, 0);

    // Removing without a chosen section says so.
    PipeSections two{};
    two[0] = {kPvc, 0, 10.0f, 110.0f, 400.0f, 1, {}};
    two[1] = two[0];
    CPipeDataDialog filled(two, *m.db, UnitSystem::Metric, TimeUnit::Seconds, 6, m.messages);
    m.messages.Expect(str::kSelectPipeSection);
    Click(&filled, 1354);
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
        Type(section, 1650, QStringLiteral("100.5"));
        Type(section, 1651, QStringLiteral("6"));
        Type(section, 1652, QStringLiteral("1.5"));
        SaveScreenshot(section, QStringLiteral("section-imperial-filled"));
        Click(section, 1);
    });
    Click(&dialog, 1318);
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
    auto* list = Control<QListWidget>(&dialog, 1233);
    const int count = list->count();

    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        SaveScreenshot(name, QStringLiteral("material-name"));
        Type(name, 1579, QStringLiteral("PE 100"));
        Click(name, 1);
    });
    Click(&dialog, 1246);
    ASSERT_EQ(list->count(), count + 1);
    EXPECT_EQ(list->currentRow(), count);
    EXPECT_TRUE(Control<QPushButton>(&dialog, 1247)->isEnabled());

    OnNextModal(QStringLiteral("diameterVelocityDialog"), [](QDialog* entry) {
        Type(entry, 1586, QStringLiteral("160"));
        Type(entry, 1585, QStringLiteral("400"));
        SaveScreenshot(entry, QStringLiteral("diameter-velocity-metric"));
        Click(entry, 1);
    });
    Click(&dialog, 1234);
    auto* entries = Control<QTreeWidget>(&dialog, 1237);
    ASSERT_EQ(entries->topLevelItemCount(), 2);
    EXPECT_EQ(entries->topLevelItem(1)->text(0), QStringLiteral("160"));
    EXPECT_EQ(TextOf(&dialog, 1241), QStringLiteral("400"));
    SaveScreenshot(&dialog, QStringLiteral("pipe-database-metric-filled"));
    // Rows a person can read: the text and some air, in both lists.
    dialog.show();
    const int readable = list->fontMetrics().height() + 4;
    EXPECT_GE(list->visualItemRect(list->item(0)).height(), readable);
    EXPECT_GE(entries->visualItemRect(entries->topLevelItem(0)).height(), readable);

    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        EXPECT_EQ(TextOf(name, 1579), QStringLiteral("PE 100"));
        Type(name, 1579, QStringLiteral("PE 100 SDR11"));
        Click(name, 1);
    });
    Click(&dialog, 1248);
    EXPECT_EQ(list->item(count)->text(), QStringLiteral("PE 100 SDR11"));

    m.messages.Expect(str::kMaterialNameExists);
    OnNextModal(QStringLiteral("materialNameDialog"), [](QDialog* name) {
        Type(name, 1579, QStringLiteral("pvc"));
        Click(name, 1);
    });
    Click(&dialog, 1246);
    EXPECT_EQ(list->count(), count + 1);

    Click(&dialog, 1247);
    EXPECT_EQ(list->count(), count);
    EXPECT_EQ(dialog.Editor().MaterialCount(), count);
}

TEST(PipeDatabaseDialog, ImperialEntriesAreShownAndCheckedInFeetPerMillisecond)
{
    Materials m;
    std::array<Material, kMaxMaterials> materials{};
    m.db->CopyOut(materials);
    CPipeDatabaseDialog dialog(materials, PipeSections{}, UnitSystem::Imperial, TimeUnit::Milliseconds, m.messages);
    Control<QListWidget>(&dialog, 1233)->setCurrentRow(kPvc);
    Control<QTreeWidget>(&dialog, 1237)->setCurrentItem(Control<QTreeWidget>(&dialog, 1237)->topLevelItem(0));
    EXPECT_EQ(TextOf(&dialog, 1240), QStringLiteral("1.4"));  // 36 mm
    SaveScreenshot(&dialog, QStringLiteral("pipe-database-imperial"));

    m.messages.Expect(str::kInvalidDiameterImperial);
    OnNextModal(QStringLiteral("diameterVelocityDialog"), [](QDialog* entry) {
        Type(entry, 1586, QStringLiteral("0.039"));
        Type(entry, 1585, QStringLiteral("1.2"));
        Click(entry, 1);
        EXPECT_TRUE(entry->isVisible());
        Type(entry, 1586, QStringLiteral("0.04"));
        SaveScreenshot(entry, QStringLiteral("diameter-velocity-imperial"));
        Click(entry, 1);
    });
    Click(&dialog, 1234);
    const Material& pvc = dialog.Editor().Materials()[kPvc];
    EXPECT_FLOAT_EQ(pvc.diameters[0], static_cast<float>(0.04f * 25.4000508001016));
    EXPECT_FLOAT_EQ(pvc.velocities[0], static_cast<float>(1.2f * 0.3047999902464003 * 1000.0));
}

}  // namespace
}  // namespace korvanta::test
