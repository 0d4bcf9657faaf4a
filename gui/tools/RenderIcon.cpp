// Renders the SVG artwork to pictures at build time:
//   korvanta-render-icon IN.svg OUT.png SIZE          a square PNG of SIZE pixels (desktop icons)
//   korvanta-render-icon --scale F IN.svg OUT.png     a PNG at F times the drawing's own size
//   korvanta-render-icon --ico OUT.ico IN.svg SIZE... a Windows icon holding one PNG per size
// The Windows build has no SVG module; it carries the pictures this tool makes on the build host.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

#include "core/platform/RuntimeDirectory.h"

namespace {

QImage Render(QSvgRenderer& renderer, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QSizeF picture = renderer.defaultSize();
    picture.scale(QSizeF(size), Qt::KeepAspectRatio);
    const QPointF corner((size.width() - picture.width()) / 2.0, (size.height() - picture.height()) / 2.0);
    renderer.render(&painter, QRectF(corner, picture));
    painter.end();
    return image;
}

void PutLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// An .ico file whose entries are PNG images (read by every Windows since Vista).
bool WriteIco(const QString& path, const std::vector<QImage>& images)
{
    std::vector<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            return false;
        }
        pngs.push_back(png);
    }
    QByteArray ico;
    PutLittleEndian(ico, 0, 2);  // reserved
    PutLittleEndian(ico, 1, 2);  // an icon
    PutLittleEndian(ico, static_cast<quint32>(images.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        PutLittleEndian(ico, side >= 256 ? 0 : side, 1);  // 0 means 256
        PutLittleEndian(ico, side >= 256 ? 0 : side, 1);
        PutLittleEndian(ico, 0, 1);   // no palette
        PutLittleEndian(ico, 0, 1);   // reserved
        PutLittleEndian(ico, 1, 2);   // colour planes
        PutLittleEndian(ico, 32, 2);  // bits per pixel
        PutLittleEndian(ico, static_cast<quint32>(pngs[i].size()), 4);
        PutLittleEndian(ico, offset, 4);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs) {
        ico.append(png);
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.commit();
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: korvanta-render-icon IN.svg OUT.png SIZE\n"
                 "       korvanta-render-icon --scale F IN.svg OUT.png\n"
                 "       korvanta-render-icon --ico OUT.ico IN.svg SIZE...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    korvanta::EnsureRuntimeDirectory();
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() >= 4 && args[0] == QLatin1String("--ico")) {
        QSvgRenderer renderer(args[2]);
        std::vector<QImage> images;
        for (const QString& sizeText : args.mid(3)) {
            const int size = sizeText.toInt();
            if (!renderer.isValid() || size <= 0 || size > 256) {
                std::fprintf(stderr, "korvanta-render-icon: cannot render %s at %s\n", qPrintable(args[2]),
                             qPrintable(sizeText));
                return 1;
            }
            images.push_back(Render(renderer, QSize(size, size)));
        }
        return WriteIco(args[1], images) ? 0 : 1;
    }
    if (args.size() == 4 && args[0] == QLatin1String("--scale")) {
        QSvgRenderer renderer(args[2]);
        const double scale = args[1].toDouble();
        const QSize size = (QSizeF(renderer.defaultSize()) * scale).toSize();
        if (!renderer.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "korvanta-render-icon: cannot render %s\n", qPrintable(args[2]));
            return 1;
        }
        return Render(renderer, size).save(args[3]) ? 0 : 1;
    }
    if (args.size() != 3) {
        return Usage();
    }
    const int size = args[2].toInt();
    QSvgRenderer renderer(args[0]);
    if (!renderer.isValid() || size <= 0) {
        std::fprintf(stderr, "korvanta-render-icon: cannot render %s at %s\n", qPrintable(args[0]), qPrintable(args[2]));
        return 1;
    }
    return Render(renderer, QSize(size, size)).save(args[1]) ? 0 : 1;
}
