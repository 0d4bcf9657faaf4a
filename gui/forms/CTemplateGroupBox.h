#pragma once

#include <QGroupBox>

namespace korvanta::gui {

// A group frame placed as the forms' templates expect it: the top line runs through the middle
// of the title, which stands in a gap of the line on the window's own background, and the
// frame fills the control's whole rectangle. (Qt's own group box puts the line below the title,
// half a text line lower, across whatever the template placed right under the title.)
class CTemplateGroupBox final : public QGroupBox {
    Q_OBJECT
public:
    explicit CTemplateGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
    CTemplateGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

    // Where the top line runs, in the control's pixels.
    int TopLineY() const;
    // The cleared band the title stands in.
    QRect TitleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvanta::gui
