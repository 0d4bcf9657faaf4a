#pragma once

#include <QWidget>
#include <functional>

#include "core/values/UnitSystem.h"

namespace korvanta::gui {

// The picture of a setup wizard page (1, 2 or 3), painted afresh on every paint from the
// distances the wizard holds at that moment.
class SetupPictureWidget final : public QWidget {
    Q_OBJECT
public:
    // `distances` gives red-blue and red-yellow in metres.
    SetupPictureWidget(int page, UnitSystem units, std::function<std::pair<float, float>()> distances,
                       QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int page_;
    UnitSystem units_;
    std::function<std::pair<float, float>()> distances_;
};

}  // namespace korvanta::gui
