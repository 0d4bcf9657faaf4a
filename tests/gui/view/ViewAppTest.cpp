// The two-station form inside the whole program: the link up on the simulated kit, START from the
// form, blocks through the comms thread and the frame, STOP, and the result kept.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include "core/pipe/UnitConversion.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/view/CKorvantaView.h"
#include "gui/view/TwoStationFormTemplate.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/KitFormSupport.h"

namespace korvanta::test {
namespace {

namespace view101 = gui::view101;

using ViewInTheProgram = AppFixture;

TEST_F(ViewInTheProgram, MeasuresTheKitsLeakFromTheForm)
{
    Start();
    ASSERT_TRUE(OpenKitPort());
    QAbstractButton* start = StartButtonWhenReady(Frame().Form());
    ASSERT_NE(start, nullptr);
    auto* view = qobject_cast<gui::CKorvantaView*>(Frame().Form());
    CKorvantaDoc& doc = app_->Document();
    doc.Edit().ApplyPipeData(KitDefaultPipe());
    start->click();
    ASSERT_EQ(start->text(), "STOP");
    ASSERT_TRUE(ProcessEventsUntil([&] { return doc.PairTotal() >= 4; }, std::chrono::seconds(60)));
    start->click();
    EXPECT_EQ(start->text(), "START");
    ASSERT_TRUE(doc.IsResultValid());
    const CorrelationDisplay& display = view->Model().Display();
    EXPECT_NEAR(doc.ComputeLeakPosition(display.Cursor().Delay()).fromStart, 43.5f, 1.0f);
    auto* distance = view->findChild<QLabel*>(gui::CTemplateLayout::ControlName(view101::kDistance1));
    EXPECT_EQ(distance->text().toStdString(), display.Distances().sensor1);
}

}  // namespace
}  // namespace korvanta::test
