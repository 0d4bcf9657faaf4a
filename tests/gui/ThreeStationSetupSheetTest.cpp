// The three-station setup wizard driven as a user would: the distances refused and taken, the
// layout to confirm, the material's default band, and what Finish hands on.
#include "gui/threestation/CThreeStationSetupSheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "core/host/IMessageSink.h"
#include "core/pipe/CMaterialDatabase.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using gui::CThreeStationSetupSheet;
namespace ids = gui::setupsheetctl;

constexpr int kDuctileIron = 2;

template <typename Widget>
Widget* Control(QWidget& parent, int id)
{
    return parent.findChild<Widget*>(QStringLiteral("ctl%1").arg(id));
}

class ThreeStationSetupSheetTest : public testing::Test {
protected:
    ThreeStationSetupSheetTest()
    {
        folder_.AddDefaultDataFiles();
        materials_ = std::make_unique<CMaterialDatabase>(folder_.Path(), messages_);
        materials_->SetSaveAtExit(false);
    }

    std::unique_ptr<CThreeStationSetupSheet> Sheet(UnitSystem units = UnitSystem::Metric)
    {
        gui::ThreeStationSetupContext context;
        context.units = units;
        context.materials = materials_.get();
        context.showRangeMessage = [this](const QString& text) { rangeMessages_.push_back(text); };
        auto sheet = std::make_unique<CThreeStationSetupSheet>(std::move(context));
        sheet->show();
        return sheet;
    }

    // Types into the page's entry and presses Next.
    static void Enter(CThreeStationSetupSheet& sheet, int entryId, const QString& text)
    {
        Control<QLineEdit>(sheet, entryId)->setText(text);
        sheet.next();
    }

    TempFolder folder_;
    NullMessageSink messages_;
    std::unique_ptr<CMaterialDatabase> materials_;
    std::vector<QString> rangeMessages_;
};

TEST_F(ThreeStationSetupSheetTest, DistancesOutsideTheRangeAreRefusedWithTheMessage)
{
    auto sheet = Sheet();
    EXPECT_EQ(Control<QLabel>(*sheet, ids::kRedBlueUnit)->text(), QStringLiteral("Afstand (m)"));
    SaveScreenshot(sheet.get(), QStringLiteral("three-station-wizard-1"));
    for (const QString& wrong : {QStringLiteral("12.5.1"), QStringLiteral("-3"), QStringLiteral("1e3"), QString(),
                                 QStringLiteral("2000.1"), QStringLiteral("0.5")}) {
        Enter(*sheet, ids::kRedBlueDistance, wrong);
        EXPECT_EQ(sheet->currentId(), 0) << wrong.toStdString();
        EXPECT_TRUE(Control<QLineEdit>(*sheet, ids::kRedBlueDistance)->text().isEmpty()) << "the refused entry is cleared";
    }
    ASSERT_EQ(rangeMessages_.size(), 6u);
    EXPECT_EQ(rangeMessages_[0], QStringLiteral("Fejl i indtastede data!\r\n\r\nData skal være i området 1 - 2000"));
    Enter(*sheet, ids::kRedBlueDistance, QStringLiteral("2000"));
    EXPECT_EQ(sheet->currentId(), 1);

    auto feet = Sheet(UnitSystem::Imperial);
    EXPECT_EQ(Control<QLabel>(*feet, ids::kRedBlueUnit)->text(), QStringLiteral("Afstand (ft)"));
    Enter(*feet, ids::kRedBlueDistance, QStringLiteral("6562"));
    EXPECT_EQ(feet->currentId(), 0);
    EXPECT_EQ(rangeMessages_.back(),
              QStringLiteral("Fejl i indtastede data!\r\n\r\nData skal være i området 4 - 6561"));
    Enter(*feet, ids::kRedBlueDistance, QStringLiteral("6561"));
    EXPECT_EQ(feet->currentId(), 1);
}

TEST_F(ThreeStationSetupSheetTest, FourPagesLeadToTheSetupOfAMaterial)
{
    auto sheet = Sheet();
    Enter(*sheet, ids::kRedBlueDistance, QStringLiteral("120"));
    ASSERT_EQ(sheet->currentId(), 1);
    SaveScreenshot(sheet.get(), QStringLiteral("three-station-wizard-2"));
    Enter(*sheet, ids::kBlueYellowDistance, QStringLiteral("180"));
    ASSERT_EQ(sheet->currentId(), 2);
    SaveScreenshot(sheet.get(), QStringLiteral("three-station-wizard-3"));
    sheet->next();
    ASSERT_EQ(sheet->currentId(), 3);

    QComboBox* combo = Control<QComboBox>(*sheet, ids::kFilterChoice);
    ASSERT_GT(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Ingen filtre"));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(Control<QLineEdit>(*sheet, ids::kLowCutoff)->text(), QStringLiteral("Åben"));
    // A material shows its band; back to none shows "Åben" twice.
    combo->setCurrentIndex(kDuctileIron + 1);
    EXPECT_NE(Control<QLineEdit>(*sheet, ids::kLowCutoff)->text(), QStringLiteral("Åben"));
    combo->setCurrentIndex(0);
    EXPECT_EQ(Control<QLineEdit>(*sheet, ids::kLowCutoff)->text(), QStringLiteral("Åben"));
    EXPECT_EQ(Control<QLineEdit>(*sheet, ids::kHighCutoff)->text(), QStringLiteral("Åben"));
    combo->setCurrentIndex(kDuctileIron + 1);
    const QString low = Control<QLineEdit>(*sheet, ids::kLowCutoff)->text();
    SaveScreenshot(sheet.get(), QStringLiteral("three-station-wizard-4"));

    sheet->button(QWizard::FinishButton)->click();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    const ThreeStationSetup& setup = sheet->Setup();
    EXPECT_EQ(setup.RedBlue(), 120.0f);
    EXPECT_EQ(setup.BlueYellow(), 180.0f);
    EXPECT_EQ(setup.RedYellow(), 300.0f);
    EXPECT_EQ(QString::fromStdString(CutoffText(setup.Cutoffs().low, "%0.2f")), low);
    const Material& iron = *materials_->GetMaterial(kDuctileIron);
    float slowest = 0.0f;
    for (float v : iron.velocities) {
        slowest = v > 0.0f && (slowest == 0.0f || v < slowest) ? v : slowest;
    }
    EXPECT_EQ(setup.LowerVelocityBound(), slowest);
    EXPECT_GT(setup.MeanVelocity(), slowest);
    EXPECT_EQ(setup.Ranges()[2], ThreeStationSetup::RangeForDistance(300.0f, slowest));
}

}  // namespace
}  // namespace korvanta::test
