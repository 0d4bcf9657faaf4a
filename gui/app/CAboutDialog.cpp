#include "gui/app/CAboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/GuiResources.h"

namespace korvanta::gui {

namespace {

enum ControlId {
    kOk = 1,
    kIcon = 1200,
    kVersion = 1201,
    kNoticeFirst = 1202,
    kNoticeLast = 1203,
};

constexpr int kIconPixels = 48;

constexpr DialogItemTemplate kItems[] = {
    {kIcon, 8, 8, 34, 30},
    {kVersion, 50, 10, 150, 9, "Korvanta v1.15"},
    {kNoticeFirst, 50, 24, 150, 9, "Copyright © Veltmark"},
    {kNoticeLast, 50, 36, 150, 9, "Korrelationsprogram til lækagesøgning"},
    {kOk, 208, 8, 50, 14, "OK"},
};

constexpr DialogTemplate kTemplate = {100, "Om Korvanta", "Tahoma", 8, 400, false, 266, 56, kItems};

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    setWindowIcon(ProgramIcon());
    auto* icon = CTemplateControls(this, kTemplate).Get<QLabel>(kIcon);
    icon->setPixmap(ProgramIcon().pixmap(kIconPixels, kIconPixels));
    icon->setAlignment(Qt::AlignCenter);
    layout_.Apply(this, kTemplate);
}

}  // namespace korvanta::gui
