// The filter dialog over the spectra of a real measurement through the simulated field kit.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "core/correlation/CoherenceBand.h"
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
    doc.Edit().ApplySensorCombination(6);
    doc.Edit().ApplyPipeData(pipe);
    ASSERT_EQ(rig.Measure(6), MeasurementRunner::Outcome::Complete) << rig.messageText.str();
    const auto lower = doc.SpectrumBuffer(0);
    const auto upper = doc.SpectrumBuffer(1);
    ASSERT_GT(*std::max_element(upper.begin(), upper.begin() + 504), 0);

    ScriptedMessages messages;
    FilterSettings settings;
    settings.lowCutoff = 100.0f;
    settings.highCutoff = 600.0f;
    settings.notches[0] = {45.0f, 55.0f};
    gui::CFilterDialog dialog(settings, upper, lower, doc.SensorPairCode(), doc.Engine().Coherence(), messages);
    Control<QSlider>(&dialog, gui::filterctl::kSlider)->setValue(160);
    SaveScreenshot(&dialog, QStringLiteral("filter-kit-measurement"));

    // The pictures carry the stations' colours inside the band and grey outside it.
    const QImage upperPicture = Control<QLabel>(&dialog, gui::filterctl::kUpperGraph)->pixmap().toImage();
    const QImage lowerPicture = Control<QLabel>(&dialog, gui::filterctl::kLowerGraph)->pixmap().toImage();
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

    // The coherence under the spectra, greyed where the band removes it; "Kohærens" puts the band
    // it proposes into the edits, and OK returns it.
    const QImage coherence = Control<QLabel>(&dialog, gui::filterctl::kCoherenceGraph)->pixmap().toImage();
    EXPECT_TRUE(columnHas(coherence, 100, 0x006E3C));
    EXPECT_TRUE(columnHas(coherence, 400, 0xD7D7D7));
    EXPECT_FALSE(columnHas(coherence, 100, 0xD7D7D7));
    auto* propose = Control<QPushButton>(&dialog, gui::filterctl::kCoherenceButton);
    ASSERT_TRUE(propose->isEnabled());
    EXPECT_EQ(propose->text(), QStringLiteral("Kohærens"));
    propose->click();
    const auto proposed = ProposeCoherenceBand(doc.Engine().Coherence());
    ASSERT_TRUE(proposed.has_value());
    EXPECT_EQ(dialog.Model().Working().lowCutoff, proposed->lowCutoff);
    EXPECT_NE(Control<QLineEdit>(&dialog, gui::filterctl::kLowCutoff)->text(), QStringLiteral("100.0"));
    SaveScreenshot(&dialog, QStringLiteral("filter-coherence-proposed"));
    dialog.accept();
    EXPECT_EQ(dialog.Applied().highCutoff, proposed->highCutoff);

    // A record from before the coherence was kept says so, and offers no proposal.
    gui::CFilterDialog older(settings, upper, lower, doc.SensorPairCode(), CoherenceSpectrum{}, messages);
    EXPECT_FALSE(Control<QPushButton>(&older, gui::filterctl::kCoherenceButton)->isEnabled());
    SaveScreenshot(&older, QStringLiteral("filter-no-coherence"));
}

}  // namespace
}  // namespace korvanta::test
