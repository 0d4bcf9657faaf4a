#include "gui/diagnostics/CVoltageRow.h"

#include <QStringList>

namespace korvanta::gui {

CVoltageRow::CVoltageRow(QWidget* parent) : QWidget(parent)
{
    for (QLabel*& cell : cells_) {
        cell = new QLabel(this);
        cell->setAlignment(Qt::AlignCenter);
    }
}

void CVoltageRow::SetText(const QString& text)
{
    setProperty("text", text);
    const QStringList values = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < kValues; ++i) {
        cells_[static_cast<size_t>(i)]->setText(i < values.size() ? values[i] : QString());
    }
}

void CVoltageRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Twelve equal columns: the eight external values, one column of gap, the three internal.
    const int column = width() / (kValues + 1);
    for (int i = 0; i < kValues; ++i) {
        const int slot = i < kExternal ? i : i + 1;
        cells_[static_cast<size_t>(i)]->setGeometry(slot * column, 0, column, height());
    }
}

}  // namespace korvanta::gui
