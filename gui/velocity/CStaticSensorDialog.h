#pragma once

#include <QButtonGroup>
#include <QDialog>

#include <cstdint>

#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace staticsensorctl {
enum ControlId {
    kOk = 1,
    kFrame = 1511,
    kInterface = 1512,
    kInterfacePicture = 1514,
    kRed = 1513,
    kRedPicture = 1516,
    kBlue = 1515,
    kBluePicture = 1518,
    kYellow = 1517,
    kYellowPicture = 1519,
};
}  // namespace staticsensorctl

// "Vælg statisk sensor...": which unit stayed where it was while the other sensor was moved.
// Four check boxes beside the units' pictures, exactly one checked; the choice (0 interface unit,
// 1 red, 2 blue, 3 yellow) holds however the dialog is closed.
class CStaticSensorDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CStaticSensorDialog(QWidget* parent = nullptr);

    uint32_t Choice() const { return choice_; }

private:
    QButtonGroup boxes_;
    uint32_t choice_ = 0;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
