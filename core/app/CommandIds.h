#pragma once

#include <cstdint>

namespace korvanta::cmd {

// Command IDs of the main menu, the toolbar and the accelerators. The framework's standard
// commands keep their historic numbers (57600 and up); the program's own lie in 32800..32910.

// File.
inline constexpr uint32_t kFileNew = 57600;
inline constexpr uint32_t kFileOpen = 57601;
inline constexpr uint32_t kFileSave = 57603;
inline constexpr uint32_t kFileSaveAs = 57604;
inline constexpr uint32_t kFilePrintSetup = 57606;
inline constexpr uint32_t kFilePrint = 57607;
inline constexpr uint32_t kFilePrintPreview = 57609;
inline constexpr uint32_t kFileRecentFirst = 57616;  // the recent-file entries, up to four
inline constexpr uint32_t kAppExit = 57665;
inline constexpr uint32_t kAppAbout = 57664;
inline constexpr uint32_t kExportGis = 32908;

// Copy.
inline constexpr uint32_t kCopyText = 32857;
inline constexpr uint32_t kCopyGraph = 32858;

// View.
inline constexpr uint32_t kViewToolbar = 59392;
inline constexpr uint32_t kViewStatusBar = 59393;
inline constexpr uint32_t kFileInformation = 32816;

// Choices: diagnostics and beacons.
inline constexpr uint32_t kSystemStatus = 32828;
inline constexpr uint32_t kSystemInformation = 32808;
inline constexpr uint32_t kListeningConfiguration = 32879;
inline constexpr uint32_t kBeaconsOn = 32810;
inline constexpr uint32_t kBeaconsOff = 32811;

// Settings.
inline constexpr uint32_t kUnitsMetric = 32837;
inline constexpr uint32_t kUnitsImperial = 32838;
inline constexpr uint32_t kTimeSeconds = 32839;
inline constexpr uint32_t kTimeMilliseconds = 32840;
inline constexpr uint32_t kRadioModeLow = 32847;
inline constexpr uint32_t kRadioModeHigh = 32848;
inline constexpr uint32_t kPipeParameters = 32844;
inline constexpr uint32_t kPipeMaterials = 32845;
inline constexpr uint32_t kRestoreDefaultMaterials = 32846;
inline constexpr uint32_t kFilters = 32850;
inline constexpr uint32_t kCorrelation = 32843;
inline constexpr uint32_t kSensorCombination = 32849;
inline constexpr uint32_t kVelocityCalculation = 32859;

// Mode.
inline constexpr uint32_t kTwoStationMode = 32898;
inline constexpr uint32_t kThreeStationMode = 32897;
// The three-station form's file menu.
inline constexpr uint32_t kThreeStationNew = 32900;
inline constexpr uint32_t kThreeStationOpen = 32902;
inline constexpr uint32_t kThreeStationSave = 32904;

// Advanced.
inline constexpr uint32_t kRegressionAnalysis = 32882;
// The regression dialog's own menu.
inline constexpr uint32_t kRegressionNew = 32892;
inline constexpr uint32_t kRegressionOpen = 32893;
inline constexpr uint32_t kRegressionSave = 32894;
inline constexpr uint32_t kRegressionClose = 32895;
inline constexpr uint32_t kRegressionStaticInterface = 32891;
inline constexpr uint32_t kRegressionStaticRed = 32888;
inline constexpr uint32_t kRegressionStaticBlue = 32889;
inline constexpr uint32_t kRegressionStaticYellow = 32890;
inline constexpr uint32_t kRegressionInformation = 32896;
inline constexpr uint32_t kAdcTest = 32813;
inline constexpr uint32_t kRadioSignalStrength = 32910;

// Internal commands posted to the main window.
inline constexpr uint32_t kBlockReadyTwoStation = 32841;
inline constexpr uint32_t kBlockReadyThreeStation = 32842;
inline constexpr uint32_t kStopAndSuspend = 32860;

// The port menu: 10 + index into the port list.
inline constexpr uint32_t kPortFirst = 10;
inline constexpr uint32_t kPortLast = 266;

}  // namespace korvanta::cmd
