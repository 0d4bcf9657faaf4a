#include <gtest/gtest.h>

#include <QPainter>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "core/app/CommandIds.h"
#include "core/export/CopyText.h"
#include "core/export/GisCsv.h"
#include "core/export/PrintedPage.h"
#include "core/text/Cp1252.h"
#include "gui/view/CResultOutput.h"
#include "print/PrintedPagePainter.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/ViewTestSupport.h"
#include "gui/view/TwoStationFormTemplate.h"

namespace korvanta {
namespace {

namespace view101 = gui::view101;

struct MeasuredForm : test::ViewFormRig {
    MeasuredForm()
    {
        LayPipe();
        Measure();
        doc.document->Edit().SetFileInformation("Vejen 4", {"stille nat", "", ""}, "K-17");
    }
};

TEST(ResultOutput, CopyTextAndGraphGoToTheClipboard)
{
    MeasuredForm form;
    QApplication::clipboard()->clear();
    ASSERT_TRUE(form.view->OnCommand(cmd::kCopyText));
    const QString text = QApplication::clipboard()->text();
    EXPECT_EQ(text.toStdString(), BuildCopyText(form.view->Output().Report()));
    EXPECT_TRUE(text.startsWith("Fil   ")) << text.toStdString();
    EXPECT_TRUE(text.contains("Afstand fra sensor 1 : 75.")) << text.toStdString();
    EXPECT_TRUE(text.contains("Materiale : ")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Vurdering : Pålideligt resultat: "))) << text.toStdString();

    ASSERT_TRUE(form.view->OnCommand(cmd::kCopyGraph));
    const QImage graph = QApplication::clipboard()->image();
    ASSERT_FALSE(graph.isNull());
    EXPECT_EQ(graph.size(), form.Control(view101::kGraph)->size());
}

TEST(ResultOutput, GisExportWritesBothFilesWithTheCodeOrWithout)
{
    MeasuredForm form;
    QTemporaryDir folder;
    gui::CResultOutput& output = form.view->Output();
    const QString chosen = folder.filePath("måling.txt");
    output.chooseExportPath = [&] { return chosen; };
    output.askGisCode = [] { return std::optional<QString>("K7"); };
    ASSERT_TRUE(form.view->OnCommand(cmd::kExportGis));
    QFile csv(folder.filePath("måling.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray written = csv.readAll();
    EXPECT_EQ(written.toStdString(), BuildGisCsv(output.Report(), "K7"));
    EXPECT_TRUE(written.contains("\nK7,"));
    QImage bmp(folder.filePath("måling.bmp"));
    ASSERT_FALSE(bmp.isNull()) << "an image viewer opens it";
    EXPECT_EQ(bmp.size(), QSize(627, 195));

    output.askGisCode = [] { return std::nullopt; };  // cancelled: the export goes on, code empty
    output.chooseExportPath = [&] { return folder.filePath("b"); };
    output.ExportToGis();
    QFile second(folder.filePath("b.csv"));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_TRUE(second.readAll().contains("\n,"));

    output.chooseExportPath = [] { return QString(); };  // cancelled: nothing written
    output.ExportToGis();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
}

TEST(ResultOutput, DirectPrintToAFileWritesThePageOnceAndAsksForTheNextName)
{
    MeasuredForm form;
    QTemporaryDir folder;
    form.printer.setOutputFormat(QPrinter::PdfFormat);
    form.printer.setOutputFileName(folder.filePath("side.pdf"));
    ASSERT_TRUE(form.view->OnCommand(57608));  // print without the dialog
    QFile pdf(folder.filePath("side.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4).startsWith("%PDF"));
    EXPECT_TRUE(form.printer.outputFileName().isEmpty()) << "the next print must not write over this one";
}

TEST(ResultOutput, PrintedPageRendersToPdfAndPicture)
{
    MeasuredForm form;
    const QByteArray pdf = print::PrintedPagePainter::RenderPdf(LayOutPrintedPage(form.view->Output().Report()));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString dir = QStringLiteral(KORVANTA_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    QFile file(dir + "/printed-page.pdf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    // Looked at as a picture: pdftoppm is the page as a PDF viewer shows it.
    const int status =
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-singlefile", file.fileName(), dir + "/printed-page"});
    if (status < 0) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    ASSERT_EQ(status, 0);
    const QImage page(dir + "/printed-page.png");
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()) << "landscape";
    // The graph's green bars are on the page.
    bool green = false;
    for (int y = 0; y < page.height() && !green; ++y) {
        for (int x = 0; x < page.width() && !green; ++x) {
            const QColor c = page.pixelColor(x, y);
            green = c.green() > 100 && c.red() < 60 && c.blue() < 60;
        }
    }
    EXPECT_TRUE(green);
}

// A heading stands in a gap of its frame's line, as on a group box; elsewhere the line is whole.
TEST(ResultOutput, PrintedHeadingsInterruptTheirFrameLines)
{
    MeasuredForm form;
    QImage page(2700, 2100, QImage::Format_RGB32);  // one pixel per 0.1 mm
    page.setDotsPerMeterX(10000);
    page.setDotsPerMeterY(10000);
    page.fill(Qt::white);
    QPainter painter(&page);
    print::PrintedPagePainter::Paint(painter, LayOutPrintedPage(form.view->Output().Report()), 254.0);
    painter.end();
    const auto darkOnLine = [&](int fromX, int toX, int lineY) {
        int dark = 0;
        for (int x = fromX; x < toX; ++x) {
            dark += qGray(page.pixel(x, lineY)) < 128 ? 1 : 0;
        }
        return dark;
    };
    struct Case {
        const char* heading;
        int x;
        int lineY;
    };
    for (const Case& c : {Case{"Rørdata", 55, 1200}, Case{"Filterindstillinger", 2275, 1685},
                          Case{"Notch-filterindstillinger", 100, 1725}}) {
        EXPECT_LT(darkOnLine(c.x + 2, c.x + 60, c.lineY), 29) << c.heading << ": the line runs through the text";
        EXPECT_EQ(darkOnLine(c.x - 12, c.x - 2, c.lineY), 10) << c.heading << ": the line before the heading";
    }
}

}  // namespace
}  // namespace korvanta
