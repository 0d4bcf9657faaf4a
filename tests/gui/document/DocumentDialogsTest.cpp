// The filter, file information, GIS code, countdown, measurement setup and sensor dialogs
// driven by their controls.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/text/StringIds.h"
#include "gui/document/CCountdownDialog.h"
#include "gui/document/CFileInformationDialog.h"
#include "gui/document/CFilterDialog.h"
#include "gui/document/CGisCodeDialog.h"
#include "gui/document/CMeasurementSetupDialog.h"
#include "gui/document/CSensorConfigurationDialog.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using namespace gui;

// The test ticks the countdown itself; its own timer must not fire in between.
constexpr int kNoTimer = 24 * 3600 * 1000;

// A spectrum with a peak, as heights per column.
std::vector<int32_t> Spectrum(int peakColumn)
{
    std::vector<int32_t> heights(2048, 0);
    for (int i = 0; i < 504; ++i) {
        const int distance = std::abs(i - peakColumn);
        heights[static_cast<size_t>(i)] = distance < 60 ? 150 - distance * 2 : 20 + (i * 7) % 15;
    }
    return heights;
}

TEST(FilterDialog, CutoffsAndANotchAreTypedAppliedAndReturnedOnOk)
{
    ScriptedMessages messages;
    const auto upper = Spectrum(120);
    const auto lower = Spectrum(140);
    CFilterDialog dialog(FilterSettings{}, upper, lower, 6, CoherenceSpectrum{}, messages);
    SaveScreenshot(&dialog, QStringLiteral("filter-empty"));

    Type(&dialog, filterctl::kLowCutoff, QStringLiteral("12a5"));
    EXPECT_EQ(TextOf(&dialog, filterctl::kLowCutoff), QStringLiteral("125"));
    EXPECT_EQ(Control<QLineEdit>(&dialog, filterctl::kLowCutoff)->cursorPosition(), 3);
    Type(&dialog, filterctl::kLowCutoff, QStringLiteral("100"));
    Type(&dialog, filterctl::kHighCutoff, QStringLiteral("2000"));
    EXPECT_EQ(TextOf(&dialog, filterctl::kHighCutoff), QStringLiteral("Høj"));  // not read again as 0
    EXPECT_EQ(dialog.Model().Working().highCutoff, 1220.0f);
    Type(&dialog, filterctl::kHighCutoff, QStringLiteral("600"));
    Click(&dialog, filterctl::kAddNotch);
    EXPECT_TRUE(Control<QRadioButton>(&dialog, filterctl::kNotchRadio1)->isChecked());
    Type(&dialog, filterctl::kNotchLow, QStringLiteral("45"));
    Type(&dialog, filterctl::kNotchHigh, QStringLiteral("55"));

    // Accept redraws with the new bands but leaves the dialog open.
    Click(&dialog, filterctl::kAccept);
    EXPECT_EQ(dialog.Applied().highCutoff, 600.0f);
    EXPECT_TRUE(dialog.Model().IsColumnRemoved(300));

    Control<QSlider>(&dialog, filterctl::kSlider)->setValue(503);
    EXPECT_EQ(Control<QLabel>(&dialog, filterctl::kCursorText)->text(), QStringLiteral("1220"));
    Control<QSlider>(&dialog, filterctl::kSlider)->setValue(41);
    SaveScreenshot(&dialog, QStringLiteral("filter-filled"));

    dialog.show();
    Click(&dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Applied().lowCutoff, 100.0f);
    EXPECT_EQ(dialog.Applied().notches[0].low, 45.0f);
    EXPECT_EQ(dialog.Applied().notches[0].high, 55.0f);
}

TEST(FilterDialog, RefusedSettingsKeepTheDialogOpenAndAutoReturnsOnlyItsFlag)
{
    ScriptedMessages messages;
    const auto spectrum = Spectrum(100);
    FilterSettings settings;
    settings.lowCutoff = 300.0f;
    CFilterDialog dialog(settings, spectrum, spectrum, 9, CoherenceSpectrum{}, messages);
    dialog.show();
    Type(&dialog, filterctl::kHighCutoff, QStringLiteral("200"));
    messages.Expect(str::kHighBelowLowCutoff);
    Click(&dialog, 1);
    EXPECT_TRUE(dialog.isVisible());

    // A new notch without its high value blocks switching.
    Click(&dialog, filterctl::kAddNotch);
    messages.Expect(str::kNotchNeedsHighCutoff);
    Click(&dialog, filterctl::kAddNotch);  // refused: notch 1 is not finished
    EXPECT_FALSE(Control<QRadioButton>(&dialog, filterctl::kNotchRadio1 + 1)->isEnabled());

    Click(&dialog, filterctl::kAutomatic);
    EXPECT_EQ(TextOf(&dialog, filterctl::kLowCutoff), QStringLiteral("AUTO"));
    EXPECT_TRUE(Control<QLineEdit>(&dialog, filterctl::kLowCutoff)->isReadOnly());
    Click(&dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Applied().automatic, 1);
    EXPECT_EQ(dialog.Applied().lowCutoff, 0.0f);
}

TEST(FileInformationDialog, TextsAreLimitedAndDateAndTimeAreReadOnly)
{
    FileInformationForm form;
    form.title = "Hovedgaden 12";
    form.date = "7 Dec 2026";
    form.time = "12:30";
    CFileInformationDialog dialog(form);
    SaveScreenshot(&dialog, QStringLiteral("file-information-filled"));
    Type(&dialog, fileinfoctl::kTitle, QString(70, QLatin1Char('T')));
    Type(&dialog, fileinfoctl::kComment2, QStringLiteral("Ved brønden, målt om natten"));
    Type(&dialog, fileinfoctl::kUserInformation, QString(30, QLatin1Char('u')));
    EXPECT_TRUE(Control<QLineEdit>(&dialog, fileinfoctl::kDate)->isReadOnly());
    const FileInformationForm result = dialog.Form();
    EXPECT_EQ(result.title, std::string(59, 'T'));
    EXPECT_EQ(result.comments[1], "Ved brønden, målt om natten");
    EXPECT_EQ(result.userInformation, std::string(19, 'u'));
    EXPECT_EQ(result.date, "7 Dec 2026");

    CFileInformationDialog empty{FileInformationForm{}};
    SaveScreenshot(&empty, QStringLiteral("file-information-empty"));
}

TEST(GisCodeDialog, ACodeTheExportCannotHoldIsRefusedACommaIsNot)
{
    ScriptedMessages messages;
    CGisCodeDialog dialog(messages);
    dialog.show();
    Type(&dialog, giscodectl::kCode, QStringLiteral("DK ∅110"));
    messages.Expect(str::kGisCodeNotWritable);
    Click(&dialog, 1);
    EXPECT_TRUE(dialog.isVisible());
    Type(&dialog, giscodectl::kCode, QStringLiteral("DK,1234/5"));
    SaveScreenshot(&dialog, QStringLiteral("gis-code"));
    Click(&dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Code(), QStringLiteral("DK,1234/5"));
}

TEST(CountdownDialog, RunsOutWithoutBeingCutShort)
{
    CCountdownDialog dialog(2, kNoTimer);
    dialog.show();
    SaveScreenshot(&dialog, QStringLiteral("countdown"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Control<QProgressBar>(&dialog, countdownctl::kProgress)->value(), 2);
    dialog.Tick();
    dialog.Tick();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Control<QProgressBar>(&dialog, countdownctl::kProgress)->value(), 0);
    dialog.Tick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(MeasurementSetupDialog, TheTimeIsLockedOnceAPipeExistsAndTheButtonsSayWhereToGo)
{
    CMeasurementSetupDialog editable(SetupDialogState{1, true});
    SaveScreenshot(&editable, QStringLiteral("measurement-setup-editable"));
    EXPECT_TRUE(Control<QRadioButton>(&editable, setupctl::kMedium)->isChecked());
    Click(&editable, setupctl::kLong);
    Click(&editable, setupctl::kSensor);
    EXPECT_EQ(editable.Result().choice, SetupChoice::Sensor);
    EXPECT_EQ(editable.Result().timeIndex, 2);

    CMeasurementSetupDialog locked(SetupDialogState{0, false});
    SaveScreenshot(&locked, QStringLiteral("measurement-setup-locked"));
    EXPECT_FALSE(Control<QRadioButton>(&locked, setupctl::kStandard)->isEnabled());
    Click(&locked, 3);
    EXPECT_EQ(locked.Result().choice, SetupChoice::Pipe);
    EXPECT_EQ(locked.Result().timeIndex, 0);
}

TEST(SensorConfigurationDialog, OpensOnTheCurrentPairAndReturnsTheChosenOne)
{
    CSensorConfigurationDialog yellow(9);
    EXPECT_TRUE(Control<QRadioButton>(&yellow, sensorsctl::kFirstChoice + 5)->isChecked());
    SaveScreenshot(&yellow, QStringLiteral("sensor-configuration"));
    Click(&yellow, sensorsctl::kFirstChoice + 1);
    EXPECT_EQ(yellow.PairCode(), 10u);
    CSensorConfigurationDialog unknown(7);
    EXPECT_TRUE(Control<QRadioButton>(&unknown, sensorsctl::kFirstChoice)->isChecked());
    EXPECT_EQ(unknown.PairCode(), 6u);
}

}  // namespace
}  // namespace korvanta::test
