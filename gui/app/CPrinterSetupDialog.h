#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;

namespace korvanta::gui {

// "P&rint opsætning...": which printer and which paper the printouts go to. Works without any
// printer installed (the page then goes to a PDF file), where the desktop's own page setup
// refuses to open. OK writes the choice into the printer; Cancel leaves it as it was.
class CPrinterSetupDialog final : public QDialog {
    Q_OBJECT

public:
    // The entry that prints to a PDF file instead of a printer.
    static QString PdfFileEntry();

    CPrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

private:
    QPrinter& printer_;
    QComboBox* printers_ = nullptr;
    QComboBox* paper_ = nullptr;
};

}  // namespace korvanta::gui
