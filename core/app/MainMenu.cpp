#include "core/app/MainMenu.h"

#include <algorithm>
#include <array>

#include "core/app/CommandIds.h"

namespace korvanta {

namespace {

using G = CommandGroup;
using R = EnableRule;
using K = MenuEntryKind;

constexpr MenuEntry Item(uint32_t id, const char* caption, G group = G::None, R rule = R::Always)
{
    return {K::Command, id, caption, group, rule};
}
constexpr MenuEntry Popup(const char* caption)
{
    return {K::PopupBegin, 0, caption, G::None, R::Always};
}
constexpr MenuEntry End()
{
    return {K::PopupEnd, 0, nullptr, G::None, R::Always};
}
constexpr MenuEntry Separator()
{
    return {K::Separator, 0, nullptr, G::None, R::Always};
}

constexpr auto kMainMenu = std::to_array<MenuEntry>({
    Popup("&Filer"),
    Item(cmd::kFileNew, "Ny\tCtrl+N", G::New, R::Flag),
    Item(cmd::kFileOpen, "&Åben...\tCtrl+å", G::Open, R::Flag),
    Item(cmd::kFileSave, "&Gem..\tCtrl+S", G::Save, R::Flag),
    Item(cmd::kFileSaveAs, "Gem &Som"),
    Item(cmd::kExportGis, "Export til GIS"),
    Separator(),
    Item(cmd::kFilePrint, "&Print...\tCtrl+P", G::Print, R::Flag),
    Item(cmd::kFilePrintPreview, "&Vis udskrift"),
    Item(cmd::kFilePrintSetup, "P&rint opsætning..."),
    Separator(),
    {K::RecentFiles, cmd::kFileRecentFirst, nullptr, G::None, R::Always},
    Item(cmd::kAppExit, "E&xit"),
    End(),

    Popup("&Kopi"),
    Item(cmd::kCopyText, "Kopier &Text", G::Copy, R::Flag),
    Item(cmd::kCopyGraph, "Kopier &Graf", G::Copy, R::Flag),
    End(),

    Popup("&Vis"),
    Item(cmd::kViewToolbar, "&Værktøj"),
    Item(cmd::kViewStatusBar, "&Statusbar"),
    Separator(),
    Item(cmd::kFileInformation, "Filinformation", G::FileInformation, R::Flag),
    End(),

    Popup("V&alg"),
    Item(cmd::kSystemStatus, "Systemstatus", G::SystemStatus, R::FlagAndComm),
    Item(cmd::kSystemInformation, "Systeminformation", G::SystemInformation, R::FlagAndComm),
    Item(cmd::kListeningConfiguration, "Lyttekonfiguration", G::ListeningConfiguration, R::FlagAndComm),
    Popup("Beacon kontrol"),
    Item(cmd::kBeaconsOn, "ON", G::Beacons, R::FlagAndComm),
    Item(cmd::kBeaconsOff, "OFF", G::Beacons, R::FlagAndComm),
    End(),
    End(),

    Popup("&Indstillinger"),
    {K::PortList, cmd::kPortFirst, "COM-Port", G::None, R::Always},
    Separator(),
    Popup("Længdeenheder"),
    Item(cmd::kUnitsMetric, "Metrisk", G::None, R::Form),
    Item(cmd::kUnitsImperial, "Imperial", G::None, R::Form),
    End(),
    Popup("Tidsenheder"),
    Item(cmd::kTimeSeconds, "Sekunder", G::None, R::Form),
    Item(cmd::kTimeMilliseconds, "Millisekunder", G::None, R::Form),
    End(),
    Popup("Signalstyrke"),
    Item(cmd::kRadioModeLow, "Lav", G::SignalStrength, R::FlagAndComm),
    Item(cmd::kRadioModeHigh, "Høj", G::SignalStrength, R::FlagAndComm),
    End(),
    Separator(),
    Popup("Rør"),
    Item(cmd::kPipeParameters, "Parametre", G::PipeParameters, R::Flag),
    Item(cmd::kPipeMaterials, "Rørmaterialer"),
    Item(cmd::kRestoreDefaultMaterials, "Gendan standard-rørmaterialer"),
    End(),
    Item(cmd::kFilters, "Filtre", G::Filters, R::Flag),
    Item(cmd::kCorrelation, "Korrelation"),
    Item(cmd::kSensorCombination, "Sensorkombination", G::SensorCombination, R::FlagAndComm),
    Item(cmd::kVelocityCalculation, "Løbehastighedsberegning", G::VelocityCalculation, R::Flag),
    End(),

    Popup("&Mode"),
    Item(cmd::kTwoStationMode, "2 sendere", G::TwoStationMode, R::Flag),
    Item(cmd::kThreeStationMode, "3 sendere", G::ThreeStationMode, R::Flag),
    End(),

    Popup("&Avanceret"),
    Item(cmd::kRegressionAnalysis, "&Regressionsanalyse"),
    Item(cmd::kAdcTest, "Test", G::Test, R::FlagAndComm),
    Item(cmd::kRadioSignalStrength, "&Radiosignalstyrke"),
    End(),

    Popup("&Hjælp"),
    Item(cmd::kAppAbout, "&Om Korvanta"),
    End(),
});

constexpr auto kMainToolbar = std::to_array<uint32_t>({
    cmd::kFileNew,
    cmd::kFileOpen,
    cmd::kFileSave,
    0,  //
    cmd::kFilePrint,
    0,  //
    cmd::kCopyText,
    cmd::kCopyGraph,
    0,  //
    cmd::kFileInformation,
    cmd::kSystemInformation,
    0,  //
    cmd::kPipeParameters,
    cmd::kFilters,
    cmd::kSensorCombination,
    0,  //
    cmd::kBeaconsOn,
    cmd::kBeaconsOff,
    0,  //
    cmd::kRadioModeLow,
    cmd::kRadioModeHigh,
    0,  //
    cmd::kListeningConfiguration,
    0,  //
    cmd::kTwoStationMode,
    cmd::kThreeStationMode,
    0,  //
    cmd::kAppAbout,
});

// Ctrl+O opens although the caption shows Ctrl+å; Ctrl+Å opens as well, so the caption is true
// on a Danish keyboard.
constexpr auto kMainAccelerators = std::to_array<Accelerator>({
    {cmd::kFileNew, "Ctrl+N"},
    {cmd::kFileOpen, "Ctrl+O"},
    {cmd::kFileOpen, "Ctrl+Å"},
    {cmd::kFileSave, "Ctrl+S"},
    {cmd::kFilePrint, "Ctrl+P"},
    {cmd::kAdcTest, "Ctrl+U"},
});

}  // namespace

std::span<const MenuEntry> MainMenu()
{
    return kMainMenu;
}

std::span<const uint32_t> MainToolbar()
{
    return kMainToolbar;
}

std::span<const Accelerator> MainAccelerators()
{
    return kMainAccelerators;
}

const MenuEntry* FindMenuCommand(uint32_t id)
{
    const auto it = std::find_if(kMainMenu.begin(), kMainMenu.end(),
                                 [id](const MenuEntry& entry) { return entry.kind == K::Command && entry.id == id; });
    return it == kMainMenu.end() ? nullptr : &*it;
}

}  // namespace korvanta
