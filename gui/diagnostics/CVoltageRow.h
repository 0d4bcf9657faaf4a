#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <array>

namespace korvanta::gui {

// One row of the ADC dialog: eleven cells, eight external values, a gap, three internal ones, so
// that a unit's voltages stand under the column headings whatever the font. The row's whole
// text (the unit's diagnostics text, values separated by spaces) is its property "text".
class CVoltageRow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kValues = 11;
    static constexpr int kExternal = 8;

    explicit CVoltageRow(QWidget* parent = nullptr);

    // Splits `text` at its spaces into the cells; missing values leave their cells empty.
    void SetText(const QString& text);
    QString Text() const { return property("text").toString(); }
    QString Cell(int index) const { return cells_[static_cast<size_t>(index)]->text(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QLabel*, kValues> cells_ = {};
};

}  // namespace korvanta::gui
