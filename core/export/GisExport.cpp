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

bool HasExportBaseName(std::string_view chosen)
{
    const std::filesystem::path base(ExportBasePath(chosen));
    const std::string name = base.filename().string();
    return !name.empty() && name != "." && name != "..";
}

bool WriteGisExport(const std::filesystem::path& chosen, const ResultReport& report, std::string_view gisCode,
                    std::string& error)
{
    if (!HasExportBaseName(chosen.string())) {
        error = "'" + chosen.string() + "' names no file to export to";
        return false;
    }
    const std::string base = ExportBasePath(chosen.string());
    const std::string csv = BuildGisCsv(report, gisCode);
    const auto* csvBytes = reinterpret_cast<const uint8_t*>(csv.data());
    const int offset = kGraphPictureWidth > static_cast<int>(report.graphHeights.size())
                           ? (kGraphPictureWidth - static_cast<int>(report.graphHeights.size())) / 2
                           : 0;
    const std::vector<uint8_t> bmp =
        BuildGraphBitmap(report.graphHeights, kGraphPictureWidth, kGraphPictureHeight, offset);
    const FileToWrite files[] = {{base + ".csv", {csvBytes, csv.size()}}, {base + ".bmp", bmp}};
    return WriteFilesAtomically(files, error);
}

}  // namespace korvanta
