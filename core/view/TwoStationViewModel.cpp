#include "core/view/TwoStationViewModel.h"

#include "core/document/CKorvantaDoc.h"
#include "core/document/DocumentHints.h"

namespace korvanta {

TwoStationViewModel::TwoStationViewModel(CKorvantaDoc& document, CLinkState& link, IViewHost& host,
                                         IMessageSink& messages, IClock& clock)
    : document_(document),
      gate_(messages),
      display_(document, host, gate_),
      control_(document, link, host, gate_, clock, display_)
{
}

void TwoStationViewModel::InitialUpdate()
{
    control_.InitialUpdate();
    if (document_.IsResultValid()) {
        OnDocumentUpdate(kHintFileOpened);
    } else {
        display_.DocumentCleared();
    }
}

void TwoStationViewModel::OnDocumentUpdate(uint32_t hint)
{
    switch (hint) {
    case kHintNewResult:
        control_.NewResult();
        break;
    case kHintMeasurementEnded:
        control_.MeasurementMustEnd();
        break;
    case kHintPipeChanged:
        display_.PipeChanged();
        break;
    case kHintFileOpened:
        display_.DocumentLoaded();
        control_.DocumentLoaded();
        break;
    case kHintSensorsChanged:
        control_.SensorsChanged();
        break;
    case kHintNewDocument:
        display_.DocumentCleared();
        control_.ResultDisplayReset();
        break;
    case kHintBlankingChanged:
        display_.RefreshResult();
        break;
    case kHintFiltersChanged:
        display_.FiltersChanged();
        break;
    case kHintPathChanged:
        display_.PathChanged();
        break;
    case kHintStopBeforeSave:
        control_.StopBeforeSave();
        break;
    default:
        break;
    }
}

}  // namespace korvanta
