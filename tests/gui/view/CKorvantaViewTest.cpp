// The two-station form on Qt's offscreen platform: its layout, what its buttons, keys and mouse
// do, the graph image, the preset list, the unit menus, the status panel's pictures and the
// hints, driven as a user would drive them.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QSlider>

#include "core/app/CommandIds.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "gui/view/CorrelationGraphPainter.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/ViewTestSupport.h"

namespace korvanta::test {
namespace {

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
    EXPECT_EQ(rig.Control(1015)->size(), QSize(627, 195));
    EXPECT_EQ(rig.Control(1382)->size(), QSize(626, 11));
    EXPECT_EQ(rig.view->GraphImage().size(), QSize(627, 195));
    EXPECT_EQ(rig.view->Model().Display().LayoutWidth(), 626);
    EXPECT_EQ(rig.TextOf(1319), "START");
    EXPECT_EQ(rig.view->focusWidget(), rig.Control(1319));  // the space bar starts
    EXPECT_EQ(rig.TextOf(1156), "Sæt startpunkt");
    EXPECT_TRUE(rig.view->IsTimerActive(1));
    EXPECT_FALSE(rig.view->IsTimerActive(2));
    EXPECT_TRUE(rig.view->IsTimerActive(3));
    // Every control of the form is on it and inside it.
    for (int id : {1000, 1009, 1049, 1050, 1367, 1125, 1369, 1126, 1372, 32854, 32855, 1157, 1156, 1003,
                   1004, 1051, 1122, 1052, 1366, 1492, 1002, 1079, 1081, 1640,  1642,  1422, 1041, 1319}) {
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
    EXPECT_EQ(rig.TextOf(1319), "STOP");
    EXPECT_TRUE(rig.view->IsTimerActive(2));
    EXPECT_FALSE(rig.Control(1642)->isEnabled());
    EXPECT_EQ(rig.Control<QProgressBar>(1492)->value(), 3);
    EXPECT_EQ(rig.TextOf(1052), "3:1");
    EXPECT_EQ(rig.TextOf(1366), "00:00:00");
    const int cursor = rig.view->Model().Display().Cursor().Column();
    EXPECT_EQ(Pixel(rig, cursor, 0), Painter::kCursorInside);
    EXPECT_EQ(Pixel(rig, cursor + 5, 194), Painter::kTraceColour);
    EXPECT_EQ(Pixel(rig, cursor + 5, 0), qRgb(255, 255, 255));

    rig.Click(1319);
    EXPECT_EQ(rig.TextOf(1319), "START");
    EXPECT_FALSE(rig.view->IsTimerActive(2));
    EXPECT_TRUE(rig.Control(1642)->isEnabled());
    EXPECT_EQ(rig.Control<QProgressBar>(1492)->value(), 0);
    EXPECT_EQ(rig.TextOf(1051), "-0.0500");
    EXPECT_EQ(rig.TextOf(1122), "s");
    EXPECT_EQ(rig.TextOf(1049), "75.0 m");
    EXPECT_EQ(rig.TextOf(1050), "125.0 m");
    EXPECT_EQ(rig.Control<QSlider>(1009)->value(), 234);  // 75 m of 200 on 625 pixels
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true}));
}

TEST(KorvantaViewTest, CursorByButtonsKeysAndMouse)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    const CorrelationDisplay& display = rig.view->Model().Display();
    ASSERT_EQ(display.Cursor().Column(), 273);

    rig.Click(1126);
    EXPECT_EQ(display.Cursor().Column(), 274);
    EXPECT_EQ(Pixel(rig, 274, 0), Painter::kCursorInside);
    EXPECT_NE(Pixel(rig, 273, 0), Painter::kCursorInside);  // the old column is data again
    rig.Key(Qt::Key_Right, 1642);                           // whichever control has the focus
    rig.Key(Qt::Key_Right, 1319);
    EXPECT_EQ(display.Cursor().Column(), 276);
    rig.Key(Qt::Key_Left, 1015);
    EXPECT_EQ(display.Cursor().Column(), 275);

    rig.Click(1367);
    EXPECT_EQ(rig.TextOf(1049), "0.0 m");
    rig.Click(1125);  // one column beyond the left limit: outside the pipe, drawn red
    EXPECT_EQ(rig.TextOf(1049), "Uden for område");
    // Shown whole: both fields hold the text within their own rectangle, wrapped if need be.
    for (int id : {1049, 1050}) {
        auto* field = rig.Control<QLabel>(id);
        const QRect needed = field->fontMetrics().boundingRect(field->contentsRect(), Qt::TextWordWrap,
                                                               QStringLiteral("Uden for område"));
        EXPECT_TRUE(field->wordWrap()) << id;
        EXPECT_LE(needed.width(), field->contentsRect().width()) << id;
        EXPECT_LE(needed.height(), field->contentsRect().height()) << id;
    }
    test::SaveScreenshot(rig.view.get(), QStringLiteral("view-outside-range"));
    EXPECT_EQ(Pixel(rig, display.Cursor().Column(), 0), Painter::kCursorOutside);
    rig.Click(1372);
    EXPECT_EQ(rig.TextOf(1050), "0.0 m");

    rig.ClickGraph(ImageColumn(rig, 310));
    EXPECT_EQ(display.Cursor().Column(), 310);
    EXPECT_EQ(rig.TextOf(1049), "100.0 m");
    rig.Click(1369);
    EXPECT_EQ(display.Cursor().Column(), 273);
}

TEST(KorvantaViewTest, ZoomAndDelimitationButtons)
{
    ViewFormRig rig;
    rig.LayPipe();
    rig.Measure();
    rig.Click(32855);
    EXPECT_EQ(rig.view->Model().Display().Zoom(), 2u);
    EXPECT_FALSE(rig.Control(1367)->isEnabled());
    EXPECT_FALSE(rig.Control(1372)->isEnabled());
    EXPECT_FALSE(rig.Control(1156)->isEnabled());
    rig.Click(32854);
    EXPECT_TRUE(rig.Control(1367)->isEnabled());
    EXPECT_TRUE(rig.Control(1156)->isEnabled());
    EXPECT_FALSE(rig.Control(1003)->isEnabled());

    rig.Click(1156);
    EXPECT_EQ(rig.TextOf(1156), "Sæt slutpunkt");
    EXPECT_TRUE(rig.Control(1003)->isEnabled());
    rig.Click(1126);
    EXPECT_EQ(Pixel(rig, 273, 0), Painter::kDelimitationStart);
    rig.Click(1156);
    EXPECT_EQ(rig.TextOf(1156), "Sæt startpunkt");
    EXPECT_FALSE(rig.Control(1156)->isEnabled());
    EXPECT_TRUE(rig.Control(1003)->isEnabled());
    rig.Click(1003);
    EXPECT_TRUE(rig.Control(1156)->isEnabled());
}

TEST(KorvantaViewTest, PresetListAndFilterFields)
{
    ViewFormRig rig;
    rig.LayPipe();
    auto* presets = rig.Control<QComboBox>(1642);
    QStringList items;
    for (int i = 0; i < presets->count(); ++i) {
        items << presets->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Ikke", "Bruger", "Standard", "A", "B", "C", "D"}));
    EXPECT_EQ(presets->currentIndex(), 2);
    EXPECT_EQ(rig.TextOf(1640), QString::fromStdString(rig.doc.document->MaterialName(2)));
    Q_EMIT presets->activated(4);
    EXPECT_EQ(rig.TextOf(1079), "100");
    EXPECT_EQ(rig.TextOf(1081), "700");
    Q_EMIT presets->activated(0);
    EXPECT_EQ(rig.TextOf(1079), "Åben");
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
    EXPECT_EQ(rig.TextOf(1049), "246.1 ft");
    rig.view->OnUpdateCommand(cmd::kUnitsMetric, ui);
    EXPECT_EQ(ui.checked, false);
    ASSERT_TRUE(rig.view->OnCommand(cmd::kTimeMilliseconds));
    EXPECT_EQ(rig.TextOf(1051), "-50.0");
    EXPECT_EQ(rig.TextOf(1122), "ms");
    rig.view->OnUpdateCommand(cmd::kTimeMilliseconds, ui);
    EXPECT_EQ(ui.checked, true);
    EXPECT_FALSE(rig.view->OnCommand(cmd::kFileNew));
}

TEST(KorvantaViewTest, StatusPanelPictures)
{
    ViewFormRig rig;
    auto picture = [&](int id) { return rig.Control(id)->property("picture").toString(); };
    EXPECT_TRUE(picture(1601).startsWith(":/view/unit-red.svg"));
    EXPECT_TRUE(picture(1611).startsWith(":/view/unit-blue.svg"));
    EXPECT_TRUE(picture(1621).startsWith(":/view/unit-interface.svg"));
    EXPECT_TRUE(picture(1602).startsWith(":/view/radio-high.svg"));
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
        EXPECT_TRUE(picture(1603).contains(QLatin1String(c.red))) << c.raw << " " << picture(1603).toStdString();
        EXPECT_TRUE(picture(1613).contains(QLatin1String("battery-blue-2"))) << c.raw;
        EXPECT_TRUE(picture(1623).contains(QLatin1String("battery-interface-5"))) << c.raw;
    }
    rig.doc.link.SetChargeStatus({200, 60, 60, 60}, 1);
    rig.doc.link.SetChargeUpdated(true);
    rig.host.radioMode = 2;
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(1623).contains(QLatin1String("battery-charging")));
    EXPECT_TRUE(picture(1602).startsWith(":/view/radio-low.svg"));
    // The blue sensor unplugged, then blue gone (given up after two missed answers).
    rig.doc.link.UpdateUnitPresence(15, 15 & ~4, 15);
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(1614).startsWith(":/view/sensor-none.svg"));
    EXPECT_TRUE(picture(1604).startsWith(":/view/sensor-red.svg"));
    rig.doc.link.UpdateUnitPresence(15 & ~4, 15, 15);
    rig.doc.link.UpdateUnitPresence(15 & ~4, 15, 15);
    rig.view->StatusPollTick();
    EXPECT_TRUE(picture(1612).startsWith(":/view/unit-absent.svg"));
    EXPECT_TRUE(picture(1613).contains(QLatin1String("battery-unknown")));
    for (int id : {1601, 1602, 1603, 1604, 1621, 1622, 1623, 1624}) {
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
    EXPECT_EQ(rig.TextOf(1041), "leak");
    rig.doc.document->NewDocument();
    EXPECT_EQ(rig.TextOf(1041), "");
    EXPECT_EQ(rig.TextOf(1051), "");
    EXPECT_EQ(rig.TextOf(1049), "");
    EXPECT_EQ(rig.view->GraphImage().pixel(ImageColumn(rig, 100), 190), qRgb(255, 255, 255));
    EXPECT_FALSE(rig.Control(1156)->isEnabled());
    ASSERT_TRUE(rig.doc.document->Open(file));
    EXPECT_EQ(rig.TextOf(1049), "75.0 m");
    EXPECT_EQ(rig.TextOf(1041), "leak");
    EXPECT_EQ(rig.TextOf(1052), "6:1");
    EXPECT_EQ(rig.view->LayoutImage().pixel(10, 5), qRgb(0, 0, 153));  // ductile iron's colour
}

}  // namespace
}  // namespace korvanta::test
