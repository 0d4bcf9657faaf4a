#pragma once

#include <QPrinter>

class QWidget;

namespace korvanta::gui {

// The program's one printer, shared by every printout and kept for the whole run: the printer,
// paper and tray chosen in "P&rint opsætning..." or in the print dialog stay chosen for the next
// print and the preview. The result page is laid out landscape, so landscape is kept whatever
// orientation is picked.
class CPrinterSetup {
public:
    CPrinterSetup();

    QPrinter& Printer() { return printer_; }
    // The page setup dialog on the shared printer; true when the user accepted it.
    bool Run(QWidget* parent);

private:
    QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace korvanta::gui
