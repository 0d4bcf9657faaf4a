#include "print/PrintedPagePainter.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPdfWriter>

namespace korvanta::print {

namespace {

// Wide enough for any text of the page; texts are placed by their anchor, not clipped.
constexpr double kTextBoxUnits = 2600.0;

QFont PageFont(double points)
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

}  // namespace

void PrintedPagePainter::Paint(QPainter& painter, const std::vector<PageOperation>& page, double dotsPerInch)
{
    const double scale = dotsPerInch / 254.0;  // device pixels per 0.1 mm
    const auto at = [scale](int x, int y) { return QPointF(x * scale, -y * scale); };
    const QPen framePen(Qt::black, std::max(1.0, scale));
    QPen barPen(QColor(0, 125, 0), 4.0 * scale, Qt::SolidLine, Qt::FlatCap);
    QPen cursorPen(Qt::black, std::max(1.0, scale), Qt::DashLine);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PageOperation& op : page) {
        switch (op.kind) {
        case PageOperation::Kind::Rectangle:
            painter.setPen(framePen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(at(op.x1, op.y1), at(op.x2, op.y2)));
            break;
        case PageOperation::Kind::Line:
            painter.setPen(framePen);
            painter.drawLine(at(op.x1, op.y1), at(op.x2, op.y2));
            break;
        case PageOperation::Kind::Bar:
            if (op.y1 != op.y2) {
                painter.setPen(barPen);
                painter.drawLine(at(op.x1, op.y1), at(op.x2, op.y2));
            }
            break;
        case PageOperation::Kind::DashedLine:
            painter.setPen(cursorPen);
            painter.drawLine(at(op.x1, op.y1), at(op.x2, op.y2));
            break;
        case PageOperation::Kind::Text: {
            painter.setPen(Qt::black);
            painter.setFont(PageFont(op.fontPoints));
            const QPointF anchor = at(op.x1, op.y1);
            const double width = kTextBoxUnits * scale;
            const double height = painter.fontMetrics().height() * 1.5;
            QRectF box(anchor.x(), anchor.y(), width, height);
            Qt::Alignment align = Qt::AlignLeft;
            if (op.align == PageOperation::Align::Centre) {
                box.moveLeft(anchor.x() - width / 2.0);
                align = Qt::AlignHCenter;
            } else if (op.align == PageOperation::Align::Right) {
                box.moveLeft(anchor.x() - width);
                align = Qt::AlignRight;
            }
            const int flags = static_cast<int>(align | Qt::AlignTop | Qt::TextSingleLine);
            const QString text = QString::fromStdString(op.text);
            // Text clears its own cell, so a heading sits in a gap of its frame line as on a
            // group box: the frames are placed to run through the middle of their headings.
            painter.fillRect(painter.boundingRect(box, flags, text), Qt::white);
            painter.drawText(box, flags, text);
            break;
        }
        }
    }
    painter.restore();
}

QByteArray PrintedPagePainter::RenderPdf(const std::vector<PageOperation>& page)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Korvanta"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 5, 15, 5),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return {};
    }
    Paint(painter, page, writer.resolution());
    painter.end();
    return pdf;
}

}  // namespace korvanta::print
