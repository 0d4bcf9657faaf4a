#include "gui/app/CPrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <array>

namespace korvanta::gui {

namespace {

// The page is laid out for A4; the others are what crews in other places keep in the van.
constexpr std::array kPaperSizes = {QPageSize::A4, QPageSize::A3, QPageSize::Letter, QPageSize::Legal};

}  // namespace

QString CPrinterSetupDialog::PdfFileEntry()
{
    return QStringLiteral("PDF-fil");
}

CPrinterSetupDialog::CPrinterSetupDialog(QPrinter& printer, QWidget* parent) : QDialog(parent), printer_(printer)
{
    setObjectName(QStringLiteral("printSetup"));
    setWindowTitle(QStringLiteral("Printeropsætning"));

    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("printers"));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        printers_->addItem(name, name);
    }
    printers_->addItem(PdfFileEntry(), QString());
    const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat || printer_.printerName().isEmpty();
    const int current = toFile ? printers_->count() - 1 : printers_->findData(printer_.printerName());
    printers_->setCurrentIndex(current >= 0 ? current : printers_->count() - 1);

    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    const QPageSize::PageSizeId chosen = printer_.pageLayout().pageSize().id();
    for (QPageSize::PageSizeId id : kPaperSizes) {
        paper_->addItem(QPageSize::name(id), static_cast<int>(id));
        if (id == chosen) {
            paper_->setCurrentIndex(paper_->count() - 1);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuller"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Printer:"), printers_);
    form->addRow(QStringLiteral("P&apir:"), paper_);
    form->addRow(QStringLiteral("Retning:"), new QLabel(QStringLiteral("Liggende"), this));
    form->addRow(buttons);
    form->setSizeConstraint(QLayout::SetFixedSize);
}

void CPrinterSetupDialog::accept()
{
    const QString name = printers_->currentData().toString();
    if (name.isEmpty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(name);
    }
    printer_.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt())));
    printer_.setPageOrientation(QPageLayout::Landscape);
    QDialog::accept();
}

}  // namespace korvanta::gui
