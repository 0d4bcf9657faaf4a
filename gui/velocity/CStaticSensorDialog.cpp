#include "gui/velocity/CStaticSensorDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/StationArt.h"

namespace korvanta::gui {

namespace {

using namespace staticsensorctl;

// Each unit's box, picture and unit number, in the order they stand.
struct SensorChoice {
    int box;
    int picture;
    StationUnit unit;
};
constexpr SensorChoice kChoices[] = {{kInterface, kInterfacePicture, StationUnit::Interface},
                                     {kRed, kRedPicture, StationUnit::Red},
                                     {kBlue, kBluePicture, StationUnit::Blue},
                                     {kYellow, kYellowPicture, StationUnit::Yellow}};

constexpr DialogItemTemplate kItems[] = {
    {kFrame, 7, 4, 178, 46, "Statisk sensor", ControlKind::Group},
    {kInterface, 16, 25, 10, 10, nullptr, ControlKind::Check},
    {kInterfacePicture, 28, 16, 24, 26},
    {kRed, 60, 25, 10, 10, nullptr, ControlKind::Check},
    {kRedPicture, 72, 16, 24, 26},
    {kBlue, 104, 25, 10, 10, nullptr, ControlKind::Check},
    {kBluePicture, 116, 16, 24, 26},
    {kYellow, 148, 25, 10, 10, nullptr, ControlKind::Check},
    {kYellowPicture, 160, 16, 24, 26},
    {kOk, 71, 56, 50, 14, "OK"},
};

constexpr DialogTemplate kTemplate = {277, "Vælg statisk sensor...", "Tahoma", 8, 400, false, 192, 77, kItems};

}  // namespace

CStaticSensorDialog::CStaticSensorDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("staticSensorDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    boxes_.setExclusive(true);
    const CTemplateControls controls(this, kTemplate);
    for (const SensorChoice& choice : kChoices) {
        boxes_.addButton(controls.Get<QCheckBox>(choice.box), static_cast<int>(choice.unit));
        auto* picture = controls.Get<QLabel>(choice.picture);
        picture->setPixmap(StationArt::Station(choice.unit, QSize(32, 34)));
        picture->setAlignment(Qt::AlignCenter);
    }
    boxes_.button(0)->setChecked(true);
    connect(&boxes_, &QButtonGroup::idClicked, this, [this](int unit) { choice_ = static_cast<uint32_t>(unit); });
    layout_.Apply(this, kTemplate);
}

}  // namespace korvanta::gui
