#include "gui/forms/GuiResources.h"

#include <QtGlobal>

#include "gui/forms/Artwork.h"

#include "core/app/CommandIds.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitKorvantaResources()
{
    Q_INIT_RESOURCE(korvanta);
}

namespace korvanta::gui {

void InitGuiResources()
{
    InitKorvantaResources();
}

QString CommandIconPath(uint32_t id)
{
    struct Entry {
        uint32_t id;
        const char* file;
    };
    static constexpr Entry kIcons[] = {
        {cmd::kFileNew, "file-new"},
        {cmd::kFileOpen, "file-open"},
        {cmd::kFileSave, "file-save"},
        {cmd::kFilePrint, "file-print"},
        {cmd::kCopyText, "copy-text"},
        {cmd::kCopyGraph, "copy-graph"},
        {cmd::kFileInformation, "file-information"},
        {cmd::kSystemInformation, "system-information"},
        {cmd::kPipeParameters, "pipe-parameters"},
        {cmd::kFilters, "filters"},
        {cmd::kSensorCombination, "sensor-combination"},
        {cmd::kBeaconsOn, "beacon-on"},
        {cmd::kBeaconsOff, "beacon-off"},
        {cmd::kRadioModeLow, "power-low"},
        {cmd::kRadioModeHigh, "power-high"},
        {cmd::kListeningConfiguration, "listening"},
        {cmd::kTwoStationMode, "two-stations"},
        {cmd::kThreeStationMode, "three-stations"},
        {cmd::kAppAbout, "about"},
    };
    for (const Entry& entry : kIcons) {
        if (entry.id == id) {
            return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(entry.file));
        }
    }
    return {};
}

QIcon ProgramIcon()
{
    return Artwork::Icon(QStringLiteral(":/icons/korvanta.svg"));
}

}  // namespace korvanta::gui
