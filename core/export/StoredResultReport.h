#pragma once

#include "core/export/ResultReport.h"

namespace korvanta {

class CKorvantaDoc;

// The report of an opened measurement as the two-station form shows it right after opening: the
// cursor on the peak, the document's units, no elapsed time.
ResultReport ReportOfOpenedMeasurement(CKorvantaDoc& document);

}  // namespace korvanta
