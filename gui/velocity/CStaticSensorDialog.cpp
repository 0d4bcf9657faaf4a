#include "gui/velocity/CStaticSensorDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

#include "gui/app/CTemplateGroupBox.h"
#include "gui/app/FormControls.h"
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
    {kFrame, 7, 4, 178, 46, "Statisk sensor"},
    {kInterface, 16, 25, 10, 10},
    {kInterfacePicture, 28, 16, 24, 26},
    {kRed, 60, 25, 10, 10},
    {kRedPicture, 72, 16, 24, 26},
    {kBlue, 104, 25, 10, 10},
    {kBluePicture, 116, 16, 24, 26},
    {kYellow, 148, 25, 10, 10},
    {kYellowPicture, 160, 16, 24, 26},
    {kOk, 71, 56, 50, 14, "OK"},
};

constexpr DialogTemplate kTemplate = {277, "Vælg statisk sensor...", "Tahoma", 8, 400, false, 192, 77, kItems};

const SensorChoice* ChoiceOfPicture(int id)
{
    for (const SensorChoice& choice : kChoices) {
        if (choice.picture == id) {
            return &choice;
        }
    }
    return nullptr;
}

}  // namespace

CStaticSensorDialog::CStaticSensorDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("staticSensorDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    boxes_.setExclusive(true);
    for (const DialogItemTemplate& item : kTemplate.items) {
        if (item.id == kFrame) {
            MakeControl<CTemplateGroupBox>(this, item.id)->setTitle(QString::fromUtf8(item.text));
        } else if (item.id == kOk) {
            QPushButton* ok = MakeTemplateButton(this, item);
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        } else if (const SensorChoice* choice = ChoiceOfPicture(item.id)) {
            QLabel* picture = MakeControl<QLabel>(this, item.id);
            picture->setPixmap(StationArt::Station(choice->unit, QSize(32, 34)));
            picture->setAlignment(Qt::AlignCenter);
        } else {
            auto* box = MakeControl<QCheckBox>(this, item.id);
            const auto* owner = std::find_if(std::begin(kChoices), std::end(kChoices),
                                             [&item](const SensorChoice& c) { return c.box == item.id; });
            boxes_.addButton(box, static_cast<int>(owner->unit));
        }
    }
    boxes_.button(0)->setChecked(true);
    connect(&boxes_, &QButtonGroup::idClicked, this, [this](int unit) { choice_ = static_cast<uint32_t>(unit); });
    layout_.Apply(this, kTemplate);
}

}  // namespace korvanta::gui
