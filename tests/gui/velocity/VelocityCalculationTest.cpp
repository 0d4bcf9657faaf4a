// The velocity calculation wizard driven page by page as a user would, with every message it
// shows answered by the hook.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include "core/pipe/CMaterialDatabase.h"
#include "core/text/StringIds.h"
#include "gui/velocity/CVelocityCalculation.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using gui::CVelocityCalculation;

VelocityWizardSetup WizardSetup(UnitSystem units = UnitSystem::Metric, TimeUnit time = TimeUnit::Seconds)
{
    VelocityWizardSetup setup;
    setup.delay = 0.02f;
    setup.units = units;
    setup.time = time;
    setup.length = 100.0f;
    setup.diameter = 110.0f;
    setup.materialIndex = 1;
    TempFolder folder;  // reading the defaults writes the database beside them
    folder.AddDefaultDataFiles();
    NullMessageSink quiet;
    CMaterialDatabase(folder.Path(), quiet).CopyOut(setup.materials);
    return setup;
}

// The wizard on show, its messages scripted.
class WizardRun {
public:
    explicit WizardRun(const VelocityWizardSetup& setup) : wizard(setup, messages) { wizard.show(); }

    QWidget* Page() { return wizard.currentPage(); }
    bool Shows(QWizard::WizardButton which) { return wizard.button(which)->isVisible(); }
    bool Enabled(QWizard::WizardButton which) { return wizard.button(which)->isEnabled(); }
    // Next (or Finish on the last page), expecting the messages listed, in order.
    void Press(QWizard::WizardButton which, std::initializer_list<uint32_t> expected = {})
    {
        for (uint32_t id : expected)
            messages.Expect(id);
        wizard.button(which)->click();
    }
    // Types into an edit of the page on show, then presses the button.
    void Enter(int edit, const char* text, QWizard::WizardButton which, std::initializer_list<uint32_t> expected = {})
    {
        Type(Page(), edit, QString::fromUtf8(text));
        Press(which, expected);
    }
    QString Label(int id) { return Control<QLabel>(Page(), id)->text(); }
    bool IsEnabled(int id) { return Control<QWidget>(Page(), id)->isEnabled(); }

    ScriptedMessages messages;
    CVelocityCalculation wizard;
};

TEST(VelocityCalculation, ThePagesCheckWhatIsTypedAndFinishHandsBackTheVelocity)
{
    WizardRun run(WizardSetup());
    EXPECT_EQ(run.wizard.windowTitle(), "Løbehastighedsberegning");
    // Page 1: Next only.
    EXPECT_FALSE(run.Enabled(QWizard::BackButton));
    EXPECT_FALSE(run.Shows(QWizard::FinishButton));
    EXPECT_EQ(TextOf(run.Page(), gui::kVelocityLengthEdit), "100");
    EXPECT_EQ(run.Label(gui::kVelocityLengthUnit), "m");
    SaveScreenshot(&run.wizard, QStringLiteral("velocity-page1"));
    run.Enter(gui::kVelocityLengthEdit, "0.09", QWizard::NextButton, {str::kInvalidLengthMetric});
    run.Enter(gui::kVelocityLengthEdit, "1 0", QWizard::NextButton, {str::kEnterNumber});
    run.Enter(gui::kVelocityLengthEdit, "100", QWizard::NextButton);

    // Page 2: Back and Next; the distance only after "Ja".
    ASSERT_EQ(run.wizard.currentId(), CVelocityCalculation::kSecondPage);
    EXPECT_TRUE(run.Enabled(QWizard::BackButton));
    EXPECT_FALSE(run.IsEnabled(gui::kVelocityDistanceEdit));
    EXPECT_FALSE(run.IsEnabled(gui::kVelocityDistancePrompt));
    EXPECT_EQ(Control<QLabel>(run.Page(), gui::kVelocitySensorIcon)->property("resource").toInt(), 140);
    run.Press(QWizard::NextButton, {str::kLeakPositionNotChosen});
    Click(run.Page(), gui::kVelocitySourceBetween);
    EXPECT_TRUE(run.IsEnabled(gui::kVelocityDistanceEdit));
    run.Enter(gui::kVelocityDistanceEdit, "100.5", QWizard::NextButton, {str::kDistanceNotValid});
    ASSERT_EQ(run.wizard.currentId(), CVelocityCalculation::kSecondPage);
    Type(run.Page(), gui::kVelocityDistanceEdit, QStringLiteral("45"));
    SaveScreenshot(&run.wizard, QStringLiteral("velocity-page2"));
    run.Press(QWizard::NextButton, {str::kLeakNearMiddle});  // a note only

    // Page 3: Back and Finish; (100 - 2·45) / 0.02 s.
    ASSERT_EQ(run.wizard.currentId(), CVelocityCalculation::kThirdPage);
    EXPECT_TRUE(run.Shows(QWizard::FinishButton));
    EXPECT_FALSE(run.Shows(QWizard::NextButton));
    EXPECT_EQ(run.Label(gui::kVelocityText), "500");
    EXPECT_EQ(run.Label(gui::kVelocityUnit), "m/s");
    auto* materials = Control<QComboBox>(run.Page(), gui::kVelocityMaterialCombo);
    EXPECT_EQ(materials->currentIndex(), 1);
    run.wizard.back();
    run.Press(QWizard::NextButton, {str::kLeakNearMiddle});
    EXPECT_EQ(materials->count(), 11) << "each material once";
    SaveScreenshot(&run.wizard, QStringLiteral("velocity-page3"));

    // Saving needs a diameter of at least 1 mm.
    EXPECT_FALSE(run.IsEnabled(gui::kVelocityDiameterEdit));
    Click(run.Page(), gui::kVelocitySaveBox);
    EXPECT_TRUE(materials->isEnabled());
    SaveScreenshot(&run.wizard, QStringLiteral("velocity-page3-save"));
    run.Enter(gui::kVelocityDiameterEdit, "0.5", QWizard::FinishButton, {str::kInvalidDiameterMetric});
    EXPECT_TRUE(run.wizard.isVisible());
    materials->setCurrentIndex(3);
    run.Enter(gui::kVelocityDiameterEdit, "125", QWizard::FinishButton);
    EXPECT_EQ(run.wizard.result(), QDialog::Accepted);
    const VelocityWizardAnswer answer = run.wizard.Answer();
    EXPECT_EQ(answer.length, 100.0f);
    EXPECT_EQ(answer.diameter, 125.0f);
    EXPECT_EQ(answer.velocity, 500.0f);
    EXPECT_EQ(answer.materialIndex, 3);
    EXPECT_TRUE(answer.save);
}

TEST(VelocityCalculation, FeetAndMillisecondsASourceOutsideAndAMaterialThatIsNone)
{
    VelocityWizardSetup setup = WizardSetup(UnitSystem::Imperial, TimeUnit::Milliseconds);
    setup.delay = -0.1f;
    setup.pairCode = 12;
    setup.materialIndex = -1;
    WizardRun run(setup);
    EXPECT_EQ(run.Label(gui::kVelocityLengthUnit), "ft");
    EXPECT_EQ(TextOf(run.Page(), gui::kVelocityLengthEdit), "328.084");
    run.Enter(gui::kVelocityLengthEdit, "328.084", QWizard::NextButton);

    EXPECT_EQ(Control<QLabel>(run.Page(), gui::kVelocitySensorIcon)->property("resource").toInt(), 141);
    EXPECT_EQ(run.Label(gui::kVelocityDistanceUnit), "ft");
    Click(run.Page(), gui::kVelocitySourceBetween);
    Type(run.Page(), gui::kVelocityDistanceEdit, QStringLiteral("20"));
    Click(run.Page(), gui::kVelocitySourceOutside);
    EXPECT_EQ(TextOf(run.Page(), gui::kVelocityDistanceEdit), "0");
    EXPECT_FALSE(run.IsEnabled(gui::kVelocityDistanceEdit));
    run.Press(QWizard::NextButton);

    // 100 m in 0.1 s, never negative: 3280.84 ft/s, 3.28 ft/ms.
    EXPECT_EQ(run.Label(gui::kVelocityText), "3.28");
    EXPECT_EQ(run.Label(gui::kVelocityUnit), "ft/ms");
    EXPECT_EQ(run.Label(gui::kVelocityDiameterUnit), "ins");
    EXPECT_EQ(Control<QComboBox>(run.Page(), gui::kVelocityMaterialCombo)->currentIndex(), -1);
    Click(run.Page(), gui::kVelocitySaveBox);
    run.Enter(gui::kVelocityDiameterEdit, "0.03", QWizard::FinishButton, {str::kInvalidDiameterImperial});
    run.Enter(gui::kVelocityDiameterEdit, "4", QWizard::FinishButton, {str::kSelectedMaterialError});
    // Without saving, Finish takes the velocity at once.
    Click(run.Page(), gui::kVelocitySaveBox);
    run.Press(QWizard::FinishButton);
    ASSERT_EQ(run.wizard.result(), QDialog::Accepted);
    EXPECT_FALSE(run.wizard.Answer().save);
    EXPECT_NEAR(run.wizard.Answer().velocity, 1000.0f, 0.1f);
}

TEST(VelocityCalculation, AVelocityThatCannotBeComputedCannotBeFinished)
{
    WizardRun run(WizardSetup());
    run.Press(QWizard::NextButton);
    Click(run.Page(), gui::kVelocitySourceBetween);
    run.Enter(gui::kVelocityDistanceEdit, "50", QWizard::NextButton, {str::kLeakNearMiddle, str::kLeakNearMiddle});
    ASSERT_EQ(run.wizard.currentId(), CVelocityCalculation::kThirdPage);
    EXPECT_EQ(run.Label(gui::kVelocityText), "");
    EXPECT_FALSE(run.IsEnabled(gui::kVelocitySaveBox));
    EXPECT_FALSE(run.Enabled(QWizard::FinishButton));
    // Back, the source moved: the velocity comes and Finish with it.
    run.wizard.back();
    run.Enter(gui::kVelocityDistanceEdit, "30", QWizard::NextButton);
    EXPECT_EQ(run.Label(gui::kVelocityText), "2000");
    EXPECT_TRUE(run.Enabled(QWizard::FinishButton));
}

}  // namespace
}  // namespace korvanta::test
