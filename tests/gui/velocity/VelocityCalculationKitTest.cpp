// "Løbehastighedsberegning" in the whole program: the simulated kit's pipe measured from the form,
// the wizard from the menu with the true length and source position, and its velocity against
// the speed the kit's sound really travels at.
#include <QAbstractButton>
#include <QAction>
#include <QWizard>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/CommandIds.h"
#include "core/pipe/CMaterialDatabase.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "tests/gui/view/KitFormSupport.h"
#include "sim/scenario/ScenarioKitOptions.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using VelocityCalculationInTheProgram = AppFixture;

TEST_F(VelocityCalculationInTheProgram, AKitMeasurementGivesTheKitsVelocityIntoThePipeAndTheDatabase)
{
    // The program's kit: one section whose sound has one speed at every frequency.
    sim::KitOptions kitOptions;
    std::string error;
    ASSERT_TRUE(sim::ProgramKitOptions(kitOptions, error)) << error;
    const sim::AcousticScene& scene = kitOptions.scenario->scene;
    ASSERT_EQ(scene.pipe.Sections().size(), 1u);
    ASSERT_FALSE(scene.pipe.Sections()[0].Dispersive());
    const double velocity = scene.pipe.Sections()[0].WaveSpeed(scene.pipe.WaterProperties());
    const float length = static_cast<float>(scene.sensors[2].positionMetres - scene.sensors[1].positionMetres);
    const float source = static_cast<float>(scene.leaks[0].positionMetres - scene.sensors[1].positionMetres);

    Start();
    ASSERT_TRUE(OpenKitPort());
    QAbstractButton* start = StartButtonWhenReady(Frame().Form());
    ASSERT_NE(start, nullptr);
    // PVC (material 8) with a velocity from the table, which the wizard replaces.
    CKorvantaDoc& doc = app_->Document();
    doc.Edit().ApplyPipeData(Pipe({Section(8, length, 300.0f, 110.0f)}));
    start->click();
    ASSERT_TRUE(ProcessEventsUntil([&] { return doc.PairTotal() >= 6; }, std::chrono::seconds(90)));
    start->click();
    QAction* command = Frame().Action(cmd::kVelocityCalculation);
    ASSERT_TRUE(command->isEnabled());

    OnNextModal(QStringLiteral("velocityCalculation"), [&](QDialog* dialog) {
        auto* wizard = qobject_cast<QWizard*>(dialog);
        Type(wizard->currentPage(), gui::kVelocityLengthEdit, QString::number(length));
        wizard->next();
        Click(wizard->currentPage(), gui::kVelocitySourceBetween);
        Type(wizard->currentPage(), gui::kVelocityDistanceEdit, QString::number(source));
        wizard->next();
        Click(wizard->currentPage(), gui::kVelocitySaveBox);
        Type(wizard->currentPage(), gui::kVelocityDiameterEdit, QStringLiteral("107"));
        SaveScreenshot(wizard, QStringLiteral("velocity-kit-result"));
        wizard->button(QWizard::FinishButton)->click();
    });
    command->trigger();

    const PipeSection& first = doc.Record().pipe[0];
    EXPECT_NEAR(first.velocity, velocity, 0.02 * velocity) << "delay " << doc.GetDelay() << " s";
    std::printf("kit %.1f m/s, wizard %.1f m/s\n", velocity, first.velocity);
    EXPECT_EQ(first.length, length);
    EXPECT_EQ(first.diameter, 107.0f);
    EXPECT_EQ(first.materialIndex, 8);
    EXPECT_TRUE(doc.IsModified());
    const float found = first.velocity;

    // The pair is in the database the program writes at exit.
    app_->ExitInstance();
    NullMessageSink quiet;
    std::array<Material, kMaxMaterials> materials{};
    CMaterialDatabase(folder_.Path(), quiet).CopyOut(materials);
    const Material& pvc = materials[8];
    const auto* at = std::find(std::begin(pvc.diameters), std::end(pvc.diameters), 107.0f);
    ASSERT_NE(at, std::end(pvc.diameters));
    EXPECT_EQ(pvc.velocities[at - std::begin(pvc.diameters)], found);
}

}  // namespace
}  // namespace korvanta::test
