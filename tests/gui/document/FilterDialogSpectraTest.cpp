// The filter dialog over the spectra of a real measurement through the simulated field kit.
#include <QLabel>

#include <gtest/gtest.h>

#include "core/dialogs/SpectrumGraph.h"
#include "gui/document/CFilterDialog.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

TEST(FilterDialogSpectra, BothSensorsSpectraAreDrawnInTheirColoursWithTheRemovedBandsGrey)
{
    PipeSections pipe{};
    pipe[0] = e2e::Section(2, 200.0f, 1000.0f);
    e2e::KitRig rig(e2e::FastKit(pipe, 75.0));
    ASSERT_TRUE(rig.kit) << rig.kitError;
    ASSERT_TRUE(rig.Open());
    CKorvantaDoc& doc = *rig.document;
    doc.ApplySensorCombination(6);
    doc.ApplyPipeData(pipe);
    ASSERT_EQ(rig.Measure(6), MeasurementRunner::Outcome::Complete) << rig.messageText.str();
    const auto lower = doc.SpectrumBuffer(0);
    const auto upper = doc.SpectrumBuffer(1);
    ASSERT_GT(*std::max_element(upper.begin(), upper.begin() + 504), 0);

    ScriptedMessages messages;
    FilterSettings settings;
    settings.lowCutoff = 100.0f;
    settings.highCutoff = 600.0f;
    settings.notches[0] = {45.0f, 55.0f};
    gui::CFilterDialog dialog(settings, upper, lower, doc.SensorPairCode(), messages);
    Control<QSlider>(&dialog, 1112)->setValue(160);
    SaveScreenshot(&dialog, QStringLiteral("filter-kit-measurement"));

    // The pictures carry the stations' colours inside the band and grey outside it.
    const QImage upperPicture = Control<QLabel>(&dialog, 1109)->pixmap().toImage();
    const QImage lowerPicture = Control<QLabel>(&dialog, 1383)->pixmap().toImage();
    const auto columnHas = [](const QImage& image, int x, QRgb colour) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFF) == colour)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(columnHas(upperPicture, 100, 0x0000FF));
    EXPECT_TRUE(columnHas(lowerPicture, 100, 0xFF0000));
    EXPECT_TRUE(columnHas(upperPicture, 400, SpectrumGraph::kRemovedColour));
    EXPECT_FALSE(columnHas(upperPicture, 400, 0x0000FF));
    EXPECT_TRUE(columnHas(lowerPicture, 20, SpectrumGraph::kRemovedColour));
    EXPECT_TRUE(columnHas(lowerPicture, 160, 0x000000));  // the cursor
}

}  // namespace
}  // namespace korvanta::test
