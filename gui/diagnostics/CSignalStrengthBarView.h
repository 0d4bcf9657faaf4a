#pragma once

#include <QImage>
#include <QWidget>

#include "core/diagnostics/CSignalStrengthBar.h"

namespace korvanta::gui {

// Shows one outstation's CSignalStrengthBar: green perfect, yellow acceptable, red failed, grey
// before the first test, inside a sunken 3-D frame. Painted into an off-screen image of the
// client size whenever the counts change, blitted on paint.
class CSignalStrengthBarView final : public QWidget {
    Q_OBJECT

public:
    CSignalStrengthBarView(const CSignalStrengthBar& bar, QWidget* parent = nullptr);

    // The counts changed: paint the image again.
    void Refresh();
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const CSignalStrengthBar& bar_;
    QImage image_;
};

}  // namespace korvanta::gui
