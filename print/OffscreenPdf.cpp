#include "print/OffscreenPdf.h"

#include <QGuiApplication>

#include <memory>

#include "core/fileio/AtomicFileWriter.h"
#include "core/platform/RuntimeDirectory.h"
#include "print/PrintedPagePainter.h"

namespace korvanta::print {

bool WritePrintedPagePdf(const std::vector<PageOperation>& page, const std::filesystem::path& path, std::string& error)
{
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        EnsureRuntimeDirectory();
        static int argc = 1;
        static char name[] = "korvanta-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QByteArray pdf = PrintedPagePainter::RenderPdf(page);
    if (pdf.isEmpty()) {
        error = "the page could not be rendered";
        return false;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(pdf.constData());
    return WriteFileAtomically(path, {bytes, static_cast<size_t>(pdf.size())}, error);
}

}  // namespace korvanta::print
