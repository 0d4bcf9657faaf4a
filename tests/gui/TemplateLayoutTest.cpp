#include "gui/forms/CTemplateLayout.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "gui/forms/TemplateFonts.h"

namespace korvanta::gui {
namespace {

constexpr DialogItemTemplate kGraphItems[] = {
    {1015, 4, 6, 418, 120},
    {1016, 4, 130, 50, 14, "START"},
    {1017, 60, 130, 120, 10, "Løbetid"},
};
constexpr DialogTemplate kGraphForm = {101, "Form", "Tahoma", 8, 400, false, 520, 150, kGraphItems};

// A form with its controls created in template order.
std::unique_ptr<QWidget> MakeForm(const DialogTemplate& dialog)
{
    auto form = std::make_unique<QWidget>();
    for (const DialogItemTemplate& item : dialog.items) {
        auto* label = new QLabel(item.text ? QString::fromUtf8(item.text) : QString(), form.get());
        label->setObjectName(CTemplateLayout::ControlName(item.id));
    }
    return form;
}

TEST(TemplateLayout, TahomaEightHasTheClassicBaseUnits)
{
    ASSERT_TRUE(TemplateFonts::EnsureTahoma());
    const QFont font = CTemplateLayout::TemplateFont(kGraphForm, CTemplateLayout::kLayoutDpi);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font.pixelSize(), 11);
    const BaseUnits units = CTemplateLayout::MeasureBaseUnits(font);
    EXPECT_EQ(units.horizontal, 6);
    EXPECT_EQ(units.vertical, 13);
    EXPECT_EQ(CTemplateLayout::ToPixels(QRect(0, 0, 418, 120), units), QRect(0, 0, 627, 195));
}

TEST(TemplateLayout, DialogUnitsRoundHalfUp)
{
    const BaseUnits units{6, 13};
    struct Case {
        QRect du;
        QRect px;
    };
    const Case cases[] = {
        {QRect(1, 1, 1, 1), QRect(2, 2, 2, 2)},    // 1.5 -> 2, 1.625 -> 2
        {QRect(3, 5, 7, 3), QRect(5, 8, 11, 5)},   // 4.5, 8.125, 10.5, 4.875
        {QRect(0, 4, 2, 12), QRect(0, 7, 3, 20)},  // 0, 6.5, 3, 19.5
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CTemplateLayout::ToPixels(c.du, units), c.px) << c.du.x() << "," << c.du.y();
    }
}

// The same form comes out the same size whatever font the user chose for the desktop and at
// whatever logical DPI the screen runs (the test program also runs at 144 dpi and scaled 2x).
TEST(TemplateLayout, FormSizeDoesNotFollowTheUsersFont)
{
    const QFont saved = QApplication::font();
    std::vector<QSize> sizes;
    std::vector<QRect> graphs;
    for (int points : {8, 16}) {
        QFont user = saved;
        user.setPointSize(points);
        QApplication::setFont(user);
        auto form = MakeForm(kGraphForm);
        CTemplateLayout layout;
        layout.Apply(form.get(), kGraphForm);
        sizes.push_back(form->size());
        graphs.push_back(form->findChild<QWidget*>(QStringLiteral("ctl1015"))->geometry());
    }
    QApplication::setFont(saved);
    EXPECT_EQ(sizes[0], QSize(780, 244));
    EXPECT_EQ(sizes[1], sizes[0]);
    EXPECT_EQ(graphs[0], QRect(6, 10, 627, 195));
    EXPECT_EQ(graphs[1], graphs[0]);
}

TEST(TemplateLayout, ALargeFontScreenGetsALargerForm)
{
    auto form = MakeForm(kGraphForm);
    CTemplateLayout layout;
    layout.Apply(form.get(), kGraphForm, 120.0);
    EXPECT_EQ(layout.Font().pixelSize(), 13);
    EXPECT_GT(form->width(), 780);
}

TEST(TemplateLayout, ControlsOutOfCreationOrderStopTheLayout)
{
    // 1017 is created before 1016: searching forward from 1016 never finds 1017.
    auto form = std::make_unique<QWidget>();
    for (int id : {1015, 1017, 1016}) {
        new QLabel(form.get());
        form->children().back()->setObjectName(CTemplateLayout::ControlName(id));
    }
    for (QObject* child : form->children()) {
        static_cast<QWidget*>(child)->setGeometry(1, 1, 1, 1);
    }
    const DialogItemTemplate items[] = {{1015, 4, 6, 418, 120}, {1016, 4, 130, 50, 14}, {1017, 60, 130, 120, 10}};
    const DialogTemplate dialog = {1, "x", "Tahoma", 8, 400, false, 520, 150, items};
    CTemplateLayout layout;
    layout.Apply(form.get(), dialog);
    EXPECT_EQ(layout.PlacedControls(), 2);
    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("ctl1016"))->geometry(), QRect(6, 211, 75, 23));
    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("ctl1017"))->geometry(), QRect(1, 1, 1, 1));
}

TEST(TemplateLayout, RestoreGivesThePreviousFontBack)
{
    auto form = MakeForm(kGraphForm);
    QFont own(QStringLiteral("Liberation Sans"));
    own.setPixelSize(20);
    form->setFont(own);
    auto* control = form->findChild<QWidget*>(QStringLiteral("ctl1016"));
    {
        CTemplateLayout layout;
        layout.Apply(form.get(), kGraphForm);
        EXPECT_EQ(control->font().pixelSize(), 11);
        layout.Apply(form.get(), kGraphForm);  // again: restores first, then lays out
        EXPECT_EQ(form->font().pixelSize(), 11);
    }
    EXPECT_EQ(form->font().pixelSize(), 20);
    EXPECT_EQ(control->font().pixelSize(), 20);
}

TEST(TemplateLayout, OutOfRangePointSizeIsNegatedModulo65536)
{
    const DialogTemplate negative = {1, "x", "Tahoma", -8, 400, false, 10, 10, {}};
    EXPECT_EQ(CTemplateLayout::TemplateFont(negative, 96.0).pixelSize(), 11);
    const DialogTemplate huge = {1, "x", "Tahoma", 65536 - 8, 400, false, 10, 10, {}};
    EXPECT_EQ(CTemplateLayout::TemplateFont(huge, 96.0).pixelSize(), 11);
}

}  // namespace
}  // namespace korvanta::gui
