#include "cli/LeakPositionJson.h"

namespace korvanta::cli {

void AddLeakPosition(JsonWriter& json, const CKorvantaDoc& doc, std::optional<float> delay)
{
    if (!delay || doc.Pipe().SectionCount() == 0) {
        json.AddNull("from_start");
        json.AddNull("from_end");
        json.AddNull("outside");
        return;
    }
    // A peak beyond the pipe puts no leak between the sensors: no distance is printed for it.
    if (IsLeakOutsidePipe(doc.Record().pipe, *delay)) {
        json.AddNull("from_start");
        json.AddNull("from_end");
        json.Add("outside", true);
        return;
    }
    const LeakPosition position = doc.ComputeLeakPosition(*delay);
    json.Add("from_start", static_cast<double>(position.fromStart));
    json.Add("from_end", static_cast<double>(position.fromEnd));
    json.Add("outside", false);
}

}  // namespace korvanta::cli
