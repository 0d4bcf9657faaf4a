#include "gui/forms/CTemplateControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gui/forms/CImagePicture.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {
namespace {

constexpr DialogItemTemplate kItems[] = {
    {1, 4, 100, 50, 14, "OK"},
    {2, 60, 100, 50, 14, "Cancel"},
    {65535, 4, 4, 40, 9, "Lav"},
    {10, 4, 16, 80, 40, "Måletid", ControlKind::Group},
    {11, 4, 60, 40, 14, "Tilføj", ControlKind::Button},
    {12, 50, 4, 40, 12, nullptr, ControlKind::Edit},
    {13, 50, 20, 40, 10, "Ja", ControlKind::Radio},
    {14, 50, 32, 40, 10, "Autofilter", ControlKind::Check},
    {15, 100, 4, 40, 12, nullptr, ControlKind::Combo},
    {16, 100, 20, 40, 40, nullptr, ControlKind::List},
    {17, 150, 4, 40, 40, nullptr, ControlKind::Tree},
    {18, 150, 50, 80, 14, nullptr, ControlKind::Slider},
    {19, 150, 70, 80, 8, nullptr, ControlKind::Progress},
    {20, 200, 4, 18, 14, nullptr, ControlKind::Tool},
    {21, 200, 20, 40, 40, nullptr, ControlKind::Picture},
    {22, 240, 4, 40, 12, nullptr, ControlKind::Custom},
};
constexpr DialogTemplate kTemplate = {1, "Kontroller", "Tahoma", 8, 400, false, 300, 120, kItems};

// Each item's widget class and text as the kit must make them.
struct Expected {
    int id;
    const char* className;
    QString text;
};

QString TextOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    return {};
}

TEST(TemplateControls, EachItemBecomesItsKindOfControlNamedAfterItsIdInTemplateOrder)
{
    QDialog dialog;
    const CTemplateControls controls(&dialog, kTemplate, [](QWidget* parent, const DialogItemTemplate& item) {
        auto* own = new QLineEdit(QStringLiteral("eget"), parent);
        own->setObjectName(CTemplateLayout::ControlName(item.id));
        return own;
    });
    const Expected expected[] = {
        {1, "QPushButton", "OK"},          {2, "QPushButton", "Cancel"},
        {65535, "QLabel", "Lav"},          {10, "korvanta::gui::CTemplateGroupBox", "Måletid"},
        {11, "QPushButton", "Tilføj"},     {12, "QLineEdit", ""},
        {13, "QRadioButton", "Ja"},        {14, "QCheckBox", "Autofilter"},
        {15, "QComboBox", ""},             {16, "QListWidget", ""},
        {17, "QTreeWidget", ""},           {18, "QSlider", ""},
        {19, "QProgressBar", ""},          {20, "QToolButton", ""},
        {21, "korvanta::gui::CImagePicture", ""}, {22, "QLineEdit", ""},
    };
    const QList<QWidget*> children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), static_cast<qsizetype>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i) {
        QWidget* made = children[static_cast<qsizetype>(i)];
        EXPECT_EQ(made, controls.Find(expected[i].id)) << expected[i].id;
        EXPECT_EQ(made->objectName(), CTemplateLayout::ControlName(expected[i].id));
        EXPECT_STREQ(made->metaObject()->className(), expected[i].className) << expected[i].id;
        EXPECT_EQ(TextOf(made), expected[i].text) << expected[i].id;
    }
    EXPECT_EQ(controls.Get<QLineEdit>(22)->text(), QStringLiteral("eget"));
    EXPECT_EQ(controls.Get<QSlider>(18)->orientation(), Qt::Horizontal);
    EXPECT_EQ(controls.Get<QLabel>(12), nullptr) << "another class is not found";
    EXPECT_EQ(controls.GetAll<QLabel>(65535).size(), 1u);
}

TEST(TemplateControls, ADialogsOkAcceptsAndCancelRejectsWhileAFormKeepsThemAsTexts)
{
    for (const bool ok : {true, false}) {
        QDialog dialog;
        const CTemplateControls controls(&dialog, kTemplate);
        EXPECT_TRUE(controls.Get<QPushButton>(1)->isDefault());
        controls.Get<QPushButton>(ok ? 1 : 2)->click();
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
    QWidget form;
    const CTemplateControls controls(&form, kTemplate);
    EXPECT_EQ(controls.Get<QLabel>(1)->text(), QStringLiteral("OK"));
    EXPECT_EQ(controls.Get<QLabel>(2)->text(), QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace korvanta::gui
