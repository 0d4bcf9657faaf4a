#include "core/export/GisExport.h"

#include "core/export/GisCsv.h"
#include "core/export/GraphBitmap.h"
#include "core/fileio/AtomicFileWriter.h"

namespace korvanta {

std::string ExportBasePath(std::string_view chosen)
{
    if (chosen.size() >= 4 && chosen[chosen.size() - 4] == '.') {
        chosen.remove_suffix(4);
    }
    return std::string(chosen);
}

bool WriteGisExport(const std::filesystem::path& chosen, const ResultReport& report, std::string_view gisCode,
                    std::string& error)
{
    const std::string base = ExportBasePath(chosen.string());
    const std::string csv = BuildGisCsv(report, gisCode);
    const auto* csvBytes = reinterpret_cast<const uint8_t*>(csv.data());
    if (!WriteFileAtomically(base + ".csv", {csvBytes, csv.size()}, error)) {
        return false;
    }
    const int offset = kGraphPictureWidth > static_cast<int>(report.graphHeights.size())
                           ? (kGraphPictureWidth - static_cast<int>(report.graphHeights.size())) / 2
                           : 0;
    const std::vector<uint8_t> bmp =
        BuildGraphBitmap(report.graphHeights, kGraphPictureWidth, kGraphPictureHeight, offset);
    return WriteFileAtomically(base + ".bmp", bmp, error);
}

}  // namespace korvanta
