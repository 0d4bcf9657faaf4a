#include "gui/app/CPrinterSetup.h"

#include "gui/app/CPrinterSetupDialog.h"

namespace korvanta::gui {

CPrinterSetup::CPrinterSetup()
{
    printer_.setPageOrientation(QPageLayout::Landscape);
}

bool CPrinterSetup::Run(QWidget* parent)
{
    CPrinterSetupDialog dialog(printer_, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace korvanta::gui
