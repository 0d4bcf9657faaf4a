// The two-station form on Qt's offscreen platform: its layout, what its buttons, keys and mouse
// do, the graph image, the preset list, the unit menus, the status panel's pictures and the
// hints, driven as a user would drive them.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QSlider>

#include "core/app/CommandIds.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "gui/forms/FormControls.h"
#include "gui/view/CorrelationGraphPainter.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/ViewTestSupport.h"
#include "gui/view/TwoStationFormTemplate.h"

namespace korvanta::test {
namespace {

namespace view101 = gui::view101;

using Painter = gui::CorrelationGraphPainter;

// The image column of trace column `column`.
int ImageColumn(const ViewFormRig& rig, int column)
{
    return Painter::Offset(rig.view->GraphImage().width(), 620) + column;
}

QRgb Pixel(const ViewFormRig& rig, int column, int y)
{
    return rig.view->GraphImage().pixel(ImageColumn(rig, column), y);
}

TEST(KorvantaViewTest, LaidOutFromTheTemplateAt96Dpi)
{
    ViewFormRig rig;
    EXPECT_EQ(rig.Control(view101::kGraph)->size(), QSize(627, 195));
    EXPECT_EQ(rig.Control(view101::kLayout)->size(), QSize(626, 11));
    EXPECT_EQ(rig.view->GraphImage().size(), QSize(627, 195));
    EXPECT_EQ(rig.view->Model().Display().LayoutWidth(), 626);
    EXPECT_EQ(rig.TextOf(view101::kStartStop), "START");
    EXPECT_EQ(rig.view->focusWidget(), rig.Control(view101::kStartStop));  // the space bar starts
    EXPECT_EQ(rig.TextOf(view101::kSetPoint), "Sæt startpunkt");
    EXPECT_TRUE(rig.view->IsTimerActive(1));
    EXPECT_FALSE(rig.view->IsTimerActive(2));
    EXPECT_TRUE(rig.view->IsTimerActive(3));
    // Every control of the form is on it and inside it.
    for (int id : {view101::kResultGroup, view101::kSlider,     view101::kDistance1,        view101::kDistance2,
                   view101::kLeftLimit,   view101::kStepLeft,   view101::kToPeak,           view101::kStepRight,
                   view101::kRightLimit,  view101::kZoomOut,    view101::kZoomIn,           view101::kDelimitationGroup,
                   view101::kSetPoint,    view101::kRemove,     view101::kInformationGroup, view101::kDelay,
                   view101::kDelayUnit,   view101::kBlockCount, view101::kElapsed,          view101::kActivity,
                   view101::kFilterGroup, view101::kLowCutoff,  view101::kHighCutoff,       view101::kMaterial,
                   view101::kPresets,     view101::kFileGroup,  view101::kFileName,         view101::kStartStop,
                   view101::kVerdict}) {
        QWidget* control = rig.Control(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_TRUE(rig.view->rect().contains(control->geometry()))
            << id << " " << control->geometry().x() << "," << control->geometry().y() << " " << control->width() << "x"
            << control->height() << " in " << rig.view->width() << "x" << rig.view->height();
    }
}

TEST(KorvantaViewTest, StartBlocksAndStop)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure(3, false);
    EXPECT_EQ(rig.TextOf(view101::kStartStop), "STOP");
    EXPECT_TRUE(rig.view->IsTimerActive(2));
    EXPECT_FALSE(rig.Control(view101::kPresets)->isEnabled());
    EXPECT_EQ(rig.Control<QProgressBar>(view101::kActivity)->value(), 3);
    EXPECT_EQ(rig.TextOf(view101::kBlockCount), "3:1");
    EXPECT_EQ(rig.TextOf(view101::kElapsed), "00:00:00");
    const int cursor = rig.view->Model().Display().Cursor().Column();
    EXPECT_EQ(Pixel(rig, cursor, 0), Painter::kCursorInside);
    EXPECT_EQ(Pixel(rig, cursor + 5, 194), Painter::kTraceColour);
    EXPECT_EQ(Pixel(rig, cursor + 5, 8), qRgb(255, 255, 255));  // under a further peak's marker

    rig.Click(view101::kStartStop);
    EXPECT_EQ(rig.TextOf(view101::kStartStop), "START");
    EXPECT_FALSE(rig.view->IsTimerActive(2));
    EXPECT_TRUE(rig.Control(view101::kPresets)->isEnabled());
    EXPECT_EQ(rig.Control<QProgressBar>(view101::kActivity)->value(), 0);
    EXPECT_EQ(rig.TextOf(view101::kDelay), "-0.0500");
    EXPECT_EQ(rig.TextOf(view101::kDelayUnit), "s");
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "75.0 m");
    EXPECT_EQ(rig.TextOf(view101::kDistance2), "125.0 m");
    EXPECT_EQ(rig.Control<QSlider>(view101::kSlider)->value(), 234);  // 75 m of 200 on 625 pixels
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true}));
}

TEST(KorvantaViewTest, CursorByButtonsKeysAndMouse)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    const CorrelationDisplay& display = rig.view->Model().Display();
    ASSERT_EQ(display.Cursor().Column(), 273);

    rig.Click(view101::kStepRight);
    EXPECT_EQ(display.Cursor().Column(), 274);
    EXPECT_EQ(Pixel(rig, 274, 0), Painter::kCursorInside);
    EXPECT_NE(Pixel(rig, 273, 0), Painter::kCursorInside);  // the old column is data again
    rig.Key(Qt::Key_Right, view101::kPresets);              // whichever control has the focus
    rig.Key(Qt::Key_Right, view101::kStartStop);
    EXPECT_EQ(display.Cursor().Column(), 276);
    rig.Key(Qt::Key_Left, view101::kGraph);
    EXPECT_EQ(display.Cursor().Column(), 275);

    rig.Click(view101::kLeftLimit);
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "0.0 m");
    rig.Click(view101::kStepLeft);  // one column beyond the left limit: outside the pipe, drawn red
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "Uden for område");
    // Shown whole: both fields hold the text within their own rectangle, wrapped if need be.
    for (int id : {view101::kDistance1, view101::kDistance2}) {
        auto* field = rig.Control<QLabel>(id);
        const QRect needed = field->fontMetrics().boundingRect(field->contentsRect(), Qt::TextWordWrap,
                                                               QStringLiteral("Uden for område"));
        EXPECT_TRUE(field->wordWrap()) << id;
        EXPECT_LE(needed.width(), field->contentsRect().width()) << id;
        EXPECT_LE(needed.height(), field->contentsRect().height()) << id;
    }
    test::SaveScreenshot(rig.view.get(), QStringLiteral("view-outside-range"));
    EXPECT_EQ(Pixel(rig, display.Cursor().Column(), 0), Painter::kCursorOutside);
    rig.Click(view101::kRightLimit);
    EXPECT_EQ(rig.TextOf(view101::kDistance2), "0.0 m");

    rig.ClickGraph(ImageColumn(rig, 310));
    EXPECT_EQ(display.Cursor().Column(), 310);
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "100.0 m");
    rig.Click(view101::kToPeak);
    EXPECT_EQ(display.Cursor().Column(), 273);
}

TEST(KorvantaViewTest, ZoomAndDelimitationButtons)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    rig.Click(view101::kZoomIn);
    EXPECT_EQ(rig.view->Model().Display().Zoom(), 2u);
    EXPECT_FALSE(rig.Control(view101::kLeftLimit)->isEnabled());
    EXPECT_FALSE(rig.Control(view101::kRightLimit)->isEnabled());
    EXPECT_FALSE(rig.Control(view101::kSetPoint)->isEnabled());
    rig.Click(view101::kZoomOut);
    EXPECT_TRUE(rig.Control(view101::kLeftLimit)->isEnabled());
    EXPECT_TRUE(rig.Control(view101::kSetPoint)->isEnabled());
    EXPECT_FALSE(rig.Control(view101::kRemove)->isEnabled());

    rig.Click(view101::kSetPoint);
    EXPECT_EQ(rig.TextOf(view101::kSetPoint), "Sæt slutpunkt");
    EXPECT_TRUE(rig.Control(view101::kRemove)->isEnabled());
    rig.Click(view101::kStepRight);
    EXPECT_EQ(Pixel(rig, 273, 0), Painter::kDelimitationStart);
    rig.Click(view101::kSetPoint);
    EXPECT_EQ(rig.TextOf(view101::kSetPoint), "Sæt startpunkt");
    EXPECT_FALSE(rig.Control(view101::kSetPoint)->isEnabled());
    EXPECT_TRUE(rig.Control(view101::kRemove)->isEnabled());
    rig.Click(view101::kRemove);
    EXPECT_TRUE(rig.Control(view101::kSetPoint)->isEnabled());
}

TEST(KorvantaViewTest, PresetListAndFilterFields)
{
    ViewFormRig rig;
    rig.LayPipe();
    auto* presets = rig.Control<QComboBox>(view101::kPresets);
    QStringList items;
    for (int i = 0; i < presets->count(); ++i) {
        items << presets->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Ikke", "Bruger", "Standard", "A", "B", "C", "D"}));
    EXPECT_EQ(presets->currentIndex(), 2);
    EXPECT_EQ(rig.TextOf(view101::kMaterial), QString::fromStdString(rig.doc.document->Pipe().MaterialName(2)));
    Q_EMIT presets->activated(4);
    EXPECT_EQ(rig.TextOf(view101::kLowCutoff), "100");
    EXPECT_EQ(rig.TextOf(view101::kHighCutoff), "700");
    Q_EMIT presets->activated(0);
    EXPECT_EQ(rig.TextOf(view101::kLowCutoff), "Åben");
}

TEST(KorvantaViewTest, UnitMenus)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    gui::CommandUi ui;
    rig.view->OnUpdateCommand(cmd::kUnitsMetric, ui);
    EXPECT_EQ(ui.checked, true);
    EXPECT_EQ(ui.enabled, true);  // the frame leaves these commands to the form
    ASSERT_TRUE(rig.view->OnCommand(cmd::kUnitsImperial));
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "246.1 ft");
    rig.view->OnUpdateCommand(cmd::kUnitsMetric, ui);
    EXPECT_EQ(ui.checked, false);
    ASSERT_TRUE(rig.view->OnCommand(cmd::kTimeMilliseconds));
    EXPECT_EQ(rig.TextOf(view101::kDelay), "-50.0");
    EXPECT_EQ(rig.TextOf(view101::kDelayUnit), "ms");
    rig.view->OnUpdateCommand(cmd::kTimeMilliseconds, ui);
    EXPECT_EQ(ui.checked, true);
    EXPECT_FALSE(rig.view->OnCommand(cmd::kFileNew));
}

TEST(KorvantaViewTest, StatusPanelPictures)
{
    ViewFormRig rig;
    auto picture = [&](int id) { return rig.Control(id)->property("picture").toString(); };
    EXPECT_TRUE(picture(view101::kUnitPicture[0]).startsWith(":/view/unit-red.svg"));
    EXPECT_TRUE(picture(view101::kUnitPicture[1]).startsWith(":/view/unit-blue.svg"));
    EXPECT_TRUE(picture(view101::kUnitPicture[2]).startsWith(":/view/unit-interface.svg"));
    EXPECT_TRUE(picture(view101::kRadioIcon[0]).startsWith(":/view/radio-high.svg"));
    struct Case {
        int raw;
        const char* red;
    };
    const Case cases[] = {{5, "battery-flat"},    {20, "battery-red-1"},  {50, "battery-red-2"}, {100, "battery-red-3"},
                          {150, "battery-red-4"}, {220, "battery-red-5"}, {0, "battery-unknown"}};
    for (const Case& c : cases) {
        rig.doc.link.SetChargeStatus({200, c.raw, 60, 60}, 0);
        rig.doc.link.SetChargeUpdated(true);
        rig.view->StatusPollTick();
        EXPECT_TRUE(picture(view101::kBatteryGauge[0]).contains(QLatin1String(c.red)))
            << c.raw << " " << picture(view101::kBatteryGauge[0]).toStdString();
        EXPECT_TRUE(picture(view101::kBatteryGauge[1]).contains(QLatin1String("battery-blue-2"))) << c.raw;
        EXPECT_TRUE(picture(view101::kBatteryGauge[2]).contains(QLatin1String("battery-interface-5"))) << c.raw;
    }
    rig.doc.link.SetChargeStatus({200, 60, 60, 60}, 1);
    rig.doc.link.SetChargeUpdated(true);
    rig.host.radioMode = 2;
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(view101::kBatteryGauge[2]).contains(QLatin1String("battery-charging")));
    EXPECT_TRUE(picture(view101::kRadioIcon[0]).startsWith(":/view/radio-low.svg"));
    // The blue sensor unplugged, then blue gone (given up after two missed answers).
    rig.doc.link.UpdateUnitPresence(15, 15 & ~4, 15);
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(view101::kSensorIcon[1]).startsWith(":/view/sensor-none.svg"));
    EXPECT_TRUE(picture(view101::kSensorIcon[0]).startsWith(":/view/sensor-red.svg"));
    rig.doc.link.UpdateUnitPresence(15 & ~4, 15, 15);
    rig.doc.link.UpdateUnitPresence(15 & ~4, 15, 15);
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(view101::kRadioIcon[1]).startsWith(":/view/unit-absent.svg"));
    EXPECT_TRUE(picture(view101::kBatteryGauge[1]).contains(QLatin1String("battery-unknown")));
    for (int id :
         {view101::kUnitPicture[0], view101::kRadioIcon[0], view101::kBatteryGauge[0], view101::kSensorIcon[0],
          view101::kUnitPicture[2], view101::kRadioIcon[2], view101::kBatteryGauge[2], view101::kSensorIcon[2]}) {
        EXPECT_FALSE(rig.Control<QLabel>(id)->pixmap().isNull()) << id;
    }
}

TEST(KorvantaViewTest, HintsOfNewAndOpenedDocuments)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    const std::filesystem::path file = rig.doc.folder.Path() / "leak.kvd";
    ASSERT_TRUE(rig.doc.document->Save(file));
    EXPECT_EQ(rig.TextOf(view101::kFileName), "leak");
    rig.doc.document->NewDocument();
    EXPECT_EQ(rig.TextOf(view101::kFileName), "");
    EXPECT_EQ(rig.TextOf(view101::kVerdict), "");
    EXPECT_EQ(rig.TextOf(view101::kDelay), "");
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "");
    EXPECT_EQ(rig.view->GraphImage().pixel(ImageColumn(rig, 100), 190), qRgb(255, 255, 255));
    EXPECT_FALSE(rig.Control(view101::kSetPoint)->isEnabled());
    ASSERT_TRUE(rig.doc.document->Open(file));
    EXPECT_EQ(rig.TextOf(view101::kDistance1), "75.0 m");
    EXPECT_EQ(rig.TextOf(view101::kFileName), "leak");
    EXPECT_EQ(rig.TextOf(view101::kBlockCount), "6:1");
    EXPECT_TRUE(rig.TextOf(view101::kVerdict).startsWith(QString::fromUtf8("● Pålideligt resultat: 75,0 m ± ")))
        << rig.TextOf(view101::kVerdict).toStdString();
    EXPECT_EQ(rig.view->LayoutImage().pixel(10, 5), qRgb(0, 0, 153));  // ductile iron's colour
}

TEST(KorvantaViewTest, AWeakResultIsAmberWithItsReasonsAndItsOtherPeaksMarked)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure(6, true, -24.0);
    auto* line = rig.Control<QLabel>(view101::kVerdict);
    EXPECT_TRUE(line->text().startsWith(QString::fromUtf8("● Usikkert resultat: svagt signal"))) << line->text().toStdString();
    EXPECT_EQ(line->styleSheet(), QString::fromLatin1(gui::kDoubtfulVerdictStyle));
    EXPECT_FALSE(line->toolTip().isEmpty());
    const std::vector<int> candidates = rig.view->Model().Display().CandidateColumns();
    ASSERT_FALSE(candidates.empty());
    for (int column : candidates) {
        if (column != rig.view->Model().Display().Cursor().Column()) {
            EXPECT_EQ(Pixel(rig, column, 0), Painter::kCandidateMarker) << column;
        }
    }
    rig.Click(view101::kZoomIn);
    EXPECT_NE(Pixel(rig, candidates.front(), 0), Painter::kCandidateMarker);
}

}  // namespace
}  // namespace korvanta::test
