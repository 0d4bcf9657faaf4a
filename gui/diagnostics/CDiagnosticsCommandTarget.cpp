#include "gui/diagnostics/CDiagnosticsCommandTarget.h"

#include "core/app/CommandIds.h"
#include "core/diagnostics/SystemInformationModel.h"
#include "core/diagnostics/SystemStatusModel.h"
#include "core/text/StringIds.h"
#include "gui/diagnostics/CAdcDialog.h"
#include "gui/diagnostics/CListeningDialog.h"
#include "gui/diagnostics/CSignalStrengthDialog.h"
#include "gui/diagnostics/CSystemInformationDialog.h"
#include "gui/diagnostics/CSystemStatusDialog.h"

namespace korvanta::gui {

int CDiagnosticsCommandTarget::Run(QDialog& dialog, bool reportFailure)
{
    const int result = run_ ? run_(dialog) : dialog.exec();
    if (result == -1 && reportFailure && context_.messages != nullptr) {
        context_.messages->ShowMessage(str::kDialogCannotBeShown, kStyleExclamation);
    }
    return result;
}

bool CDiagnosticsCommandTarget::OnCommand(uint32_t id)
{
    CLinkState& link = *context_.link;
    switch (id) {
    case cmd::kSystemStatus: {
        SystemStatusModel model(link, context_.frame->GetRadioMode());
        model.Prepare();
        CSystemStatusDialog dialog(model, context_.frame->Window());
        Run(dialog, false);
        return true;
    }
    case cmd::kSystemInformation: {
        SystemInformationModel model(link);
        model.Prepare();
        CSystemInformationDialog dialog(model, context_.frame->Window());
        Run(dialog, true);
        return true;
    }
    case cmd::kListeningConfiguration: {
        CListeningDialog dialog(link, *context_.clock, context_.waitPump, {}, context_.frame->Window());
        IFormFrame* frame = context_.frame;
        dialog.SetListeningReport([frame](int unit) { frame->ShowListeningUnit(unit); });
        Run(dialog, false);
        frame->ShowLinkActivity(LinkActivity::Idle);
        return true;
    }
    case cmd::kAdcTest: {
        CAdcDialog dialog(link, context_.frame->Window());
        Run(dialog, true);
        return true;
    }
    case cmd::kRadioSignalStrength: {
        CSignalStrengthDialog dialog(link, *context_.clock, context_.frame->GetRadioMode(),
                                     context_.frame->Window());
        Run(dialog, false);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace korvanta::gui
