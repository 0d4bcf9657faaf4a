// "Løbehastighedsberegning" in the whole program: a measurement of the simulated kit's pipe from
// the form, the wizard from the menu with the true length and source position, and the velocity
// it finds against the speed the kit's sound really travels at.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QWizard>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/app/CommandIds.h"
#include "gui/app/CInitialisationDialog.h"
#include "gui/app/CTemplateLayout.h"
#include "gui/velocity/CVelocityCalculation.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "gui/view/CKorvantaView.h"
#include "sim/scenario/ScenarioKitOptions.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using VelocityCalculationInTheProgram = AppFixture;

// What a crew knows of the kit's pipe: the sensors' distance, the source's distance from red,
// and (for judging the result) the speed its sound travels at.
struct KnownPipe {
    float length = 0.0f;
    float source = 0.0f;
    double velocity = 0.0;
};

KnownPipe KitPipe()
{
    sim::KitOptions options;
    std::string error;
    EXPECT_TRUE(sim::ProgramKitOptions(options, error)) << error;
    const sim::AcousticScene& scene = options.scenario->scene;
    // One section whose sound has one speed at every frequency: the delay means one velocity.
    EXPECT_EQ(scene.pipe.Sections().size(), 1u);
    EXPECT_FALSE(scene.pipe.Sections()[0].Dispersive());
    const double red = scene.sensors[1].positionMetres;
    KnownPipe pipe;
    pipe.length = static_cast<float>(scene.sensors[2].positionMetres - red);
    pipe.source = static_cast<float>(scene.leaks[0].positionMetres - red);
    pipe.velocity = scene.pipe.Sections()[0].WaveSpeed(scene.pipe.WaterProperties());
    return pipe;
}

TEST_F(VelocityCalculationInTheProgram, AKitMeasurementGivesTheKitsVelocityIntoThePipeAndTheDatabase)
{
    const KnownPipe known = KitPipe();
    Start();
    gui::CInitialisationDialog dialog(app_->GetLinkState(), "SIM", &Frame());
    dialog.SetCloseDelay(0);
    dialog.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.result() == QDialog::Accepted; }));
    auto* view = qobject_cast<gui::CKorvantaView*>(Frame().Form());
    ASSERT_NE(view, nullptr);
    auto* start = view->findChild<QAbstractButton*>(gui::CTemplateLayout::ControlName(1319));
    ASSERT_TRUE(ProcessEventsUntil([&] {
        view->StatusPollTick();
        return start->isEnabled();
    }));

    // The crew's pipe: PVC (material 8) with a velocity from the table, which the wizard replaces.
    CKorvantaDoc& doc = app_->Document();
    PipeSections pipe{};
    pipe[0] = doctest::Section(8, known.length, 300.0f, 110.0f);
    doc.ApplyPipeData(pipe);
    start->click();
    ASSERT_TRUE(ProcessEventsUntil([&] { return doc.PairTotal() >= 6; }, std::chrono::seconds(90)));
    start->click();
    ASSERT_TRUE(doc.IsResultValid());
    QAction* command = Frame().Action(cmd::kVelocityCalculation);
    ASSERT_TRUE(command->isEnabled());

    QString shown;
    OnNextModal(QStringLiteral("velocityCalculation"), [&](QDialog* dialog) {
        auto* wizard = qobject_cast<QWizard*>(dialog);
        Type(wizard->currentPage(), gui::kVelocityLengthEdit, QString::number(known.length));
        wizard->next();
        Click(wizard->currentPage(), gui::kVelocitySourceBetween);
        Type(wizard->currentPage(), gui::kVelocityDistanceEdit, QString::number(known.source));
        wizard->next();
        QWidget* third = wizard->currentPage();
        shown = Control<QLabel>(third, gui::kVelocityText)->text();
        Click(third, gui::kVelocitySaveBox);
        Type(third, gui::kVelocityDiameterEdit, QStringLiteral("107"));
        SaveScreenshot(wizard, QStringLiteral("velocity-kit-result"));
        wizard->button(QWizard::FinishButton)->click();
    });
    command->trigger();

    const PipeSection& first = doc.Record().pipe[0];
    const double delay = doc.GetDelay();
    EXPECT_NEAR(first.velocity, known.velocity, 0.02 * known.velocity)
        << "delay " << delay << " s, shown " << shown.toStdString();
    EXPECT_EQ(shown, QString::number(std::round(first.velocity)));
    EXPECT_EQ(first.length, known.length);
    EXPECT_EQ(first.diameter, 107.0f);
    EXPECT_EQ(first.materialIndex, 8);
    EXPECT_TRUE(doc.IsModified());
    std::array<Material, kMaxMaterials> materials{};
    doc.Materials().CopyOut(materials);
    const Material& pvc = materials[8];
    const auto* at = std::find(std::begin(pvc.diameters), std::end(pvc.diameters), 107.0f);
    ASSERT_NE(at, std::end(pvc.diameters)) << "the pair went into the database";
    EXPECT_EQ(pvc.velocities[at - std::begin(pvc.diameters)], first.velocity);
    EXPECT_TRUE(std::is_sorted(std::begin(pvc.diameters), at + 1));
    std::printf("kit velocity %.1f m/s, wizard %.1f m/s (delay %.5f s)\n", known.velocity, first.velocity, delay);
}

}  // namespace
}  // namespace korvanta::test
