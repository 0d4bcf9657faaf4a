#include "core/export/StoredResultReport.h"

#include "core/export/GraphBitmap.h"
#include "core/export/ResultReportBuilder.h"
#include "core/host/HeadlessViewHost.h"
#include "core/view/CorrelationDisplay.h"

namespace korvanta {

ResultReport ReportOfOpenedMeasurement(CKorvantaDoc& document)
{
    HeadlessViewHost host;
    NullMessageSink quiet;
    CorrelationDisplay display(document, host, quiet);
    display.DocumentLoaded();
    return CollectResultReport(document, display, "", kGraphPictureHeight);
}

}  // namespace korvanta
