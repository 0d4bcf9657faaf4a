#include "gui/velocity/CRegressionCommandTarget.h"

#include "core/app/CommandIds.h"
#include "gui/velocity/CRegressionDialog.h"

namespace korvanta::gui {

bool CRegressionCommandTarget::OnCommand(uint32_t id)
{
    if (id != cmd::kRegressionAnalysis) {
        return false;
    }
    Run();
    return true;
}

void CRegressionCommandTarget::Run(const QString& file)
{
    RegressionDialogContext context;
    context.units = settings_.GetUnitSystem();
    context.time = settings_.GetTimeUnit();
    context.messages = &messages_;
    CRegressionDialog dialog(std::move(context), parent_);
    if (!file.isEmpty()) {
        dialog.OpenFile(file);
    }
    dialog.exec();
}

}  // namespace korvanta::gui
