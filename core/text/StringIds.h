#pragma once

#include <cstdint>

namespace korvanta::str {

// Numeric IDs of the string table. The texts live in StringTable.cpp; LoadString(id) returns
// them. IDs below 63000 are the program's historic numbers; 63000 and up were added for texts
// that never had one.

// Application, document template and frame.
inline constexpr uint32_t kDocumentTemplate = 128;  // template strings, '\n'-separated
// Menu prompts carry their command's ID (the status bar shows them while the item is highlighted).
inline constexpr uint32_t kSystemInformationPrompt = 32808;
inline constexpr uint32_t kBeaconsOnPrompt = 32810;
inline constexpr uint32_t kBeaconsOffPrompt = 32811;
inline constexpr uint32_t kAdcTestPrompt = 32813;
inline constexpr uint32_t kFileInformationPrompt = 32816;
inline constexpr uint32_t kSystemStatusPrompt = 32828;
inline constexpr uint32_t kUnitsMetricPrompt = 32837;
inline constexpr uint32_t kUnitsImperialPrompt = 32838;
inline constexpr uint32_t kTimeSecondsPrompt = 32839;
inline constexpr uint32_t kTimeMillisecondsPrompt = 32840;
inline constexpr uint32_t kCorrelationCommandPrompt = 32843;
inline constexpr uint32_t kPipeParametersPrompt = 32844;
inline constexpr uint32_t kPipeMaterialsPrompt = 32845;
inline constexpr uint32_t kRestoreMaterialsPrompt = 32846;
inline constexpr uint32_t kRadioModeLowPrompt = 32847;   // shown part follows the first '\n'
inline constexpr uint32_t kRadioModeHighPrompt = 32848;  // shown part follows the first '\n'
inline constexpr uint32_t kSensorCombinationPrompt = 32849;
inline constexpr uint32_t kFiltersPrompt = 32850;
inline constexpr uint32_t kCopyTextPrompt = 32857;
inline constexpr uint32_t kCopyGraphPrompt = 32858;
inline constexpr uint32_t kVelocityCalculationPrompt = 32859;
inline constexpr uint32_t kListeningPrompt = 32879;
inline constexpr uint32_t kRegressionPrompt = 32882;
inline constexpr uint32_t kThreeStationModePrompt = 32897;
inline constexpr uint32_t kTwoStationModePrompt = 32898;
inline constexpr uint32_t kThreeStationNewPrompt = 32900;
inline constexpr uint32_t kThreeStationOpenPrompt = 32902;
inline constexpr uint32_t kThreeStationSavePrompt = 32904;
inline constexpr uint32_t kExportGisPrompt = 32908;
inline constexpr uint32_t kRadioSignalStrengthPrompt = 32910;
inline constexpr uint32_t kAppTitle = 57344;             // "Korvanta"
inline constexpr uint32_t kReady = 57345;                // "Klar"
inline constexpr uint32_t kFileNewPrompt = 57600;
inline constexpr uint32_t kFileOpenPrompt = 57601;
inline constexpr uint32_t kFileSavePrompt = 57603;
inline constexpr uint32_t kFileSaveAsPrompt = 57604;
inline constexpr uint32_t kFilePrintSetupPrompt = 57606;
inline constexpr uint32_t kFilePrintPrompt = 57607;
inline constexpr uint32_t kFilePrintPreviewPrompt = 57609;
inline constexpr uint32_t kAppAboutPrompt = 57664;
inline constexpr uint32_t kAppExitPrompt = 57665;
inline constexpr uint32_t kViewToolbarPrompt = 59392;
inline constexpr uint32_t kViewStatusBarPrompt = 59393;
inline constexpr uint32_t kUntitledDocument = 63015;     // "en unavngivet fil"
inline constexpr uint32_t kScreenTooSmall = 62123;
inline constexpr uint32_t kDialogCannotBeShown = 62116;
inline constexpr uint32_t kCannotCreateComms = 62172;
inline constexpr uint32_t kFirmwareIncompatible = 62197;

// Radio link: command results and the initialisation dialog.
inline constexpr uint32_t kNoError = 62112;  // "Ingen fejl"
inline constexpr uint32_t kCommunicationError = 62113;
inline constexpr uint32_t kComPortOpenFailed = 62114;
inline constexpr uint32_t kListeningInterrupted = 62117;
inline constexpr uint32_t kRedNotAnswering = 62151;
inline constexpr uint32_t kBlueNotAnswering = 62152;
inline constexpr uint32_t kYellowNotAnswering = 62153;
inline constexpr uint32_t kRedFault = 62154;
inline constexpr uint32_t kBlueFault = 62155;
inline constexpr uint32_t kYellowFault = 62156;
inline constexpr uint32_t kNoSensorRed = 62157;
inline constexpr uint32_t kNoSensorBlue = 62158;
inline constexpr uint32_t kNoSensorYellow = 62159;
inline constexpr uint32_t kNoSensorInterface = 62160;
inline constexpr uint32_t kResetPressedDuringMeasurement = 62174;
inline constexpr uint32_t kListeningStopFailed = 62196;
inline constexpr uint32_t kOpeningPort = 62400;  // "Åbner " + port name

// Measurement control in the two-station view: button, timers, batteries, lost link.
inline constexpr uint32_t kStart = 62072;
inline constexpr uint32_t kStop = 62073;
inline constexpr uint32_t kLowBatteryInterface = 62161;
inline constexpr uint32_t kLowBatteryRed = 62162;
inline constexpr uint32_t kLowBatteryBlue = 62163;
inline constexpr uint32_t kLowBatteryYellow = 62164;
inline constexpr uint32_t kFlatBatteryInterface = 62165;
inline constexpr uint32_t kFlatBatteryRed = 62166;
inline constexpr uint32_t kFlatBatteryBlue = 62167;
inline constexpr uint32_t kFlatBatteryYellow = 62168;
inline constexpr uint32_t kSensorStatusTimerError = 62169;
inline constexpr uint32_t kBatteryWarningTimerError = 62170;
inline constexpr uint32_t kMeasuringTimeTimerError = 62171;
inline constexpr uint32_t kMeasurementStopped = 62184;
inline constexpr uint32_t kCriticalBatteryInterface = 62195;

// Correlation display: cursor, peak delimitation, pipe layout, filter summary and presets.
inline constexpr uint32_t kLeakOutsideRange = 62183;
inline constexpr uint32_t kCannotCreatePipeLayout = 62193;
inline constexpr uint32_t kCannotCreateGraph = 62194;
inline constexpr uint32_t kFilterOpen = 62300;  // "Åben": no cut-off
inline constexpr uint32_t kSetStartPoint = 62304;
inline constexpr uint32_t kSetEndPoint = 62305;
inline constexpr uint32_t kMixedMaterials = 62331;  // "Blandet"
inline constexpr uint32_t kFilterHigh = 62332;      // "Høj": cut-off at 1220 Hz or more
inline constexpr uint32_t kPresetNone = 62401;
inline constexpr uint32_t kPresetStandard = 62402;
inline constexpr uint32_t kPresetUser = 62403;
inline constexpr uint32_t kPresetLetterFirst = 62404;  // "A" for preset 0 ...
inline constexpr uint32_t kPresetLetterLast = 62413;   // ... "J" for preset 9
inline constexpr uint32_t kPresetMetallic = 62416;
inline constexpr uint32_t kPresetNonMetallic = 62417;
inline constexpr uint32_t kFilterAuto = 62418;  // "AUTO"

// Pipe data dialogs.
inline constexpr uint32_t kSelectedMaterialError = 62135;
inline constexpr uint32_t kMaterialDatabaseReadError = 62144;
inline constexpr uint32_t kPipeDataReadError = 62145;
inline constexpr uint32_t kSelectPipeSection = 62146;
inline constexpr uint32_t kNoPipeSectionDefined = 62148;

// Validity checks of pipe values.
inline constexpr uint32_t kInvalidDiameterMetric = 62127;
inline constexpr uint32_t kInvalidDiameterImperial = 62128;
inline constexpr uint32_t kInvalidLengthMetric = 62142;
inline constexpr uint32_t kInvalidLengthImperial = 62143;
inline constexpr uint32_t kInvalidVelocityMetric = 62130;
inline constexpr uint32_t kInvalidVelocityImperial = 62129;

// Default material names 0..19.
inline constexpr uint32_t kDefaultMaterialName0 = 62080;
inline constexpr uint32_t kDefaultMaterialNameLast = 62099;

// Material database and filter files.
inline constexpr uint32_t kMaterialLoadError = 63001;
inline constexpr uint32_t kDefaultFiltersMissing = 63002;
inline constexpr uint32_t kDefaultMaterialsMissing = 63003;
inline constexpr uint32_t kDefaultVelocityTableMissing = 63004;
inline constexpr uint32_t kVelocityDatabaseFull = 62192;
inline constexpr uint32_t kPresetFiltersMissing = 63005;

// Pipe database dialog (materials and their diameter/velocity entries).
inline constexpr uint32_t kMaterialNameMissing = 63006;
inline constexpr uint32_t kMaterialNameExists = 63007;
inline constexpr uint32_t kCannotDeleteLastMaterial = 63008;
inline constexpr uint32_t kCannotDeleteOnlyEntry = 63009;
inline constexpr uint32_t kSelectEntryToRemove = 63010;
inline constexpr uint32_t kMaterialLimitReached = 63011;
inline constexpr uint32_t kEntryLimitReached = 63012;

// Measurement document and kvd files.
inline constexpr uint32_t kRestoreMaterialsQuestion = 63013;
inline constexpr uint32_t kFileVersionNotSupported = 62182;  // wrong kvd version, all readers
inline constexpr uint32_t kFileOpenDamaged = 63014;          // kvd shorter than its record
inline constexpr uint32_t kCannotReadVersion = 62361;        // kvd without a version number

// Filter settings dialog.
inline constexpr uint32_t kHighBelowLowCutoff = 62176;
inline constexpr uint32_t kNotchNeedsHighCutoff = 62179;
inline constexpr uint32_t kSelectNotchFilter = 62180;
inline constexpr uint32_t kNotchLowAboveHigh = 62198;
inline constexpr uint32_t kSetLowCutoff = 62428;
inline constexpr uint32_t kSetHighCutoff = 62429;

// Printing, clipboard and export.
inline constexpr uint32_t kCopyError = 62175;

// Three-station mode: setup wizard, result chart and kv3 files.
inline constexpr uint32_t kDistanceLabelMetre = 62386;
inline constexpr uint32_t kDistanceLabelFoot = 62387;
inline constexpr uint32_t kOutsideRange = 62388;    // "Uden for område"
inline constexpr uint32_t kDataOutOfRange = 62389;  // printf pattern with two %0.0f
inline constexpr uint32_t kNoFilters = 62390;       // "Ingen filtre"
inline constexpr uint32_t kNoteVelocityLow = 62424;
inline constexpr uint32_t kNoteVelocityHigh = 62425;
inline constexpr uint32_t kNoteCalculationImpossible = 62426;
inline constexpr uint32_t kFileSaveError = 62397;
inline constexpr uint32_t kFileNotValidated = 62398;

// Velocity calculation wizard.
inline constexpr uint32_t kVelocityCalculationTitle = 62074;
inline constexpr uint32_t kDistanceNotValid = 62185;
inline constexpr uint32_t kVelocityCalculationError = 62186;
inline constexpr uint32_t kInvalidDelay = 62187;
inline constexpr uint32_t kLeakPositionNotChosen = 62188;
inline constexpr uint32_t kLeakNearMiddle = 62189;
inline constexpr uint32_t kOnlyOneSection = 62190;
inline constexpr uint32_t kMaterialIndexError = 62191;

// Regression analysis and kvr files.
inline constexpr uint32_t kChartDelayTitle = 62312;   // "Løbetid "
inline constexpr uint32_t kChartLengthTitle = 62318;  // "Længde "
inline constexpr uint32_t kRemove = 62355;
inline constexpr uint32_t kRestore = 62356;
inline constexpr uint32_t kOnlyKvdFiles = 62357;
inline constexpr uint32_t kNoPipeSectionsInFile = 62358;
inline constexpr uint32_t kPipeSectionsMismatch = 62359;
inline constexpr uint32_t kPipeDataMismatch = 62360;
inline constexpr uint32_t kRemovePermanently = 62362;
inline constexpr uint32_t kDelayLabelSeconds = 62363;
inline constexpr uint32_t kDelayLabelMilliseconds = 62364;
inline constexpr uint32_t kPipeLengthLabelMetre = 62365;
inline constexpr uint32_t kPipeLengthLabelFoot = 62366;
inline constexpr uint32_t kVelocityLabelMetrePerSecond = 62370;
inline constexpr uint32_t kVelocityLabelMetrePerMillisecond = 62371;
inline constexpr uint32_t kVelocityLabelFootPerSecond = 62372;
inline constexpr uint32_t kVelocityLabelFootPerMillisecond = 62373;
inline constexpr uint32_t kStaticDistanceLabelMetre = 62374;
inline constexpr uint32_t kStaticDistanceLabelFoot = 62375;
inline constexpr uint32_t kFileNotSaved = 62376;
inline constexpr uint32_t kDataNotWritten = 62377;
inline constexpr uint32_t kFileNotOpened = 62378;  // also used for kv3 files
inline constexpr uint32_t kFileNotRead = 62379;
inline constexpr uint32_t kRegressionVersionNotSupported = 62381;
inline constexpr uint32_t kUnitNameInterface = 62382;  // "Modtager"
inline constexpr uint32_t kUnitNameRed = 62383;
inline constexpr uint32_t kUnitNameBlue = 62384;
inline constexpr uint32_t kUnitNameYellow = 62385;

// Diagnostics: firmware, listening and radio signal strength.
inline constexpr uint32_t kCompatible = 62353;
inline constexpr uint32_t kIncompatible = 62354;
inline constexpr uint32_t kCheckingHeadphone = 62337;
inline constexpr uint32_t kHeadphoneNotConnected = 62338;
inline constexpr uint32_t kStartingListening = 62339;
inline constexpr uint32_t kListeningInterface = 62340;
inline constexpr uint32_t kListeningNotReached = 62341;
inline constexpr uint32_t kNoSensorConnected = 62342;
inline constexpr uint32_t kListeningRed = 62344;
inline constexpr uint32_t kListeningBlue = 62345;
inline constexpr uint32_t kListeningYellow = 62346;
inline constexpr uint32_t kNotFoundOutOfRadioRange = 62437;

// Unit labels.
inline constexpr uint32_t kUnitMetre = 62393;
inline constexpr uint32_t kUnitFoot = 62394;
inline constexpr uint32_t kUnitMillimetre = 62432;
inline constexpr uint32_t kUnitInch = 62433;
inline constexpr uint32_t kUnitMetrePerSecond = 62434;
inline constexpr uint32_t kUnitMetrePerMillisecond = 62435;
inline constexpr uint32_t kUnitFootPerSecond = 62430;
inline constexpr uint32_t kUnitFootPerMillisecond = 62431;
inline constexpr uint32_t kUnitSecond = 62391;
inline constexpr uint32_t kUnitMillisecond = 62392;

// Labels of the printed report, the clipboard text and the GIS export. Most carry the
// trailing blanks the report layout relies on.
inline constexpr uint32_t kOn = 63100;   // "ON"
inline constexpr uint32_t kOff = 63101;  // "OFF"
inline constexpr uint32_t kCursorAutomatic = 63102;
inline constexpr uint32_t kCursorManual = 63103;
inline constexpr uint32_t kLabelFile = 63104;              // "Fil   "
inline constexpr uint32_t kLabelDelay = kChartDelayTitle;  // "Løbetid "
inline constexpr uint32_t kLabelValue = 63105;             // "Værdi "
inline constexpr uint32_t kLabelDistanceSensor1 = 63106;
inline constexpr uint32_t kLabelDistanceSensor2 = 63107;
inline constexpr uint32_t kLabelPipeSection = 63108;         // "Rørstykke "
inline constexpr uint32_t kLabelMaterial = 63109;            // "Materiale "
inline constexpr uint32_t kLabelLength = kChartLengthTitle;  // "Længde "
inline constexpr uint32_t kLabelDiameter = 63110;            // "Diameter "
inline constexpr uint32_t kLabelVelocity = 63111;            // "Hastighed "
inline constexpr uint32_t kLabelLowCutoff = 63112;           // "Lav Cut-Off   "
inline constexpr uint32_t kLabelHighCutoff = 63113;          // "Høj Cut-Off   "
inline constexpr uint32_t kLabelAutoFilter = 63114;          // "Autofilter   "
inline constexpr uint32_t kLabelNotchFilter = 63115;         // "Notchfilter   "
inline constexpr uint32_t kLabelGisCode = 63116;             // "GIS-kode"
inline constexpr uint32_t kLabelDate = 63117;                // "Dato   "
inline constexpr uint32_t kLabelTime = 63118;                // "Tid   "
inline constexpr uint32_t kLabelTitle = 63119;               // "Titel   "
inline constexpr uint32_t kLabelUserReference = 63120;       // "Brugerref...   "
inline constexpr uint32_t kLabelComments = 63121;            // "Kommentarer"
inline constexpr uint32_t kLabelPipeData = 63122;            // "Rørdata "
inline constexpr uint32_t kLabelFilterSettings = 63123;      // "Filterindstillinger "
inline constexpr uint32_t kLabelNotchSettings = 63124;       // "Notch-filterindstillinger "
inline constexpr uint32_t kLabelNotchFirst = 63125;          // "Notch 1 " ...
inline constexpr uint32_t kLabelNotchLast = 63129;           // ... "Notch 5 "
inline constexpr uint32_t kLabelFileName = 63130;            // "Filnavn   "
inline constexpr uint32_t kLabelCommentsPrinted = 63131;     // "Comments"
inline constexpr uint32_t kLabelUserReferencePrinted = 63132;
inline constexpr uint32_t kLabelCursor = 63133;
inline constexpr uint32_t kLabelElapsedTime = 63134;
inline constexpr uint32_t kTagRed = 63135;  // " (RED)"
inline constexpr uint32_t kTagBlue = 63136;
inline constexpr uint32_t kTagYellow = 63137;
inline constexpr uint32_t kTagInterface = 63138;
inline constexpr uint32_t kUnitTagMetre = 63140;  // "(m)"
inline constexpr uint32_t kUnitTagFoot = 63141;
inline constexpr uint32_t kUnitTagMillimetre = 63142;
inline constexpr uint32_t kUnitTagInch = 63143;
inline constexpr uint32_t kUnitTagMetrePerSecond = 63144;
inline constexpr uint32_t kUnitTagMetrePerMillisecond = 63145;
inline constexpr uint32_t kUnitTagFootPerSecond = 63146;
inline constexpr uint32_t kUnitTagFootPerMillisecond = 63147;
inline constexpr uint32_t kUnitTagSecond = 63148;
inline constexpr uint32_t kUnitTagMillisecond = 63149;

// Main frame: status-bar notes.
inline constexpr uint32_t kCommandNotAvailableYet = 63160;  // a command whose window is not built yet
inline constexpr uint32_t kLinkReadyOnPort = 63161;         // printf pattern with the port name (%s)
inline constexpr uint32_t kSaveChangesQuestion = 63162;     // before a changed measurement is left
// The status pane: what the link is doing, always (LinkStatusPane).
inline constexpr uint32_t kStatusNoLink = 63163;        // no port chosen, or the unit never answered
inline constexpr uint32_t kStatusLinkLost = 63164;      // the interface unit stopped answering
inline constexpr uint32_t kStatusStarting = 63165;      // waiting for the start of sampling
inline constexpr uint32_t kStatusMeasuring = 63166;     // printf pattern with the block pairs (%u)
inline constexpr uint32_t kStatusCommStopped = 63167;   // communication suspended
// The firmware check: the interface unit did not answer the version request.
inline constexpr uint32_t kReceiverNotAnswering = 63168;

// Filters of the file dialogs ('|'-separated, ending in "||").
inline constexpr uint32_t kFileFilterMeasurement = 63200;   // *.kvd
inline constexpr uint32_t kFileFilterThreeStation = 63201;  // *.kv3
inline constexpr uint32_t kFileFilterRegression = 63202;    // *.kvr

// Checks of typed values and names in the dialogs.
inline constexpr uint32_t kEnterNumber = 63300;             // a typed value is no number
inline constexpr uint32_t kEnterNumberInRange = 63301;      // a typed value outside 0..100000
inline constexpr uint32_t kMaterialUsedByPipe = 63302;      // removing a material the pipe uses
inline constexpr uint32_t kGisCodeNotWritable = 63303;      // a GIS code the export file cannot hold
// Three-station mode: switching to it with an unsaved two-station measurement (Yes/No/Cancel).
inline constexpr uint32_t kSaveBeforeThreeStation = 63304;
// Printing: the printer refused to start the page.
inline constexpr uint32_t kPrintFailed = 63305;
// Opening the kit's port: another program is using it.
inline constexpr uint32_t kPortInUse = 63310;

// Files of the window: the file and the reason in every failure to open or save one; %s is the
// path, then the reason (one of the texts below).
inline constexpr uint32_t kFileOpenFailedNamed = 63400;
inline constexpr uint32_t kFileSaveFailedNamed = 63401;
// A measurement saved when the program was told to end; offered at the next start (Yes/No, %s).
inline constexpr uint32_t kRecoveryOffer = 63404;
// The settings could not be written at exit (%s: where, then the reason).
inline constexpr uint32_t kSettingsNotSaved = 63405;
// A recent file that is gone (%s): it leaves the list.
inline constexpr uint32_t kRecentFileMissing = 63406;
// A file named on the command line that is none of the program's files (%s).
inline constexpr uint32_t kNotAProgramFile = 63407;
// Why a file could not be opened or saved.
inline constexpr uint32_t kReasonNotFound = 63410;
inline constexpr uint32_t kReasonNoAccess = 63411;
inline constexpr uint32_t kReasonDiskFull = 63412;
inline constexpr uint32_t kReasonFolder = 63413;
inline constexpr uint32_t kReasonNamedPipe = 63414;
inline constexpr uint32_t kReasonDevice = 63415;
inline constexpr uint32_t kReasonLinkLoop = 63416;
inline constexpr uint32_t kReasonDanglingLink = 63417;
inline constexpr uint32_t kReasonReadOnlyDisk = 63418;
inline constexpr uint32_t kReasonTooLarge = 63419;
inline constexpr uint32_t kReasonNameTooLong = 63420;
inline constexpr uint32_t kReasonNoFolder = 63421;
inline constexpr uint32_t kReasonOther = 63422;  // %d: the system's error number

// The verdict on a correlation result: whether it can be relied on, and why not.
inline constexpr uint32_t kVerdictWeak = 63340;
inline constexpr uint32_t kVerdictAmbiguous = 63341;  // printf pattern with the rivals' places (%s)
inline constexpr uint32_t kVerdictOutside = 63342;
inline constexpr uint32_t kVerdictZeroDelay = 63343;
inline constexpr uint32_t kVerdictReliable = 63344;
inline constexpr uint32_t kVerdictUnreliable = 63345;
// The filter the coherence proposes, as the filter choices name it.
inline constexpr uint32_t kFilterCoherence = 63346;
inline constexpr uint32_t kVerdictUnknownPlace = 63347;  // a rival peak whose place is not known

// The verdict in one short line (forms, printouts, clipboard) and the velocity tools' refusal.
inline constexpr uint32_t kVerdictShortWeak = 63348;
inline constexpr uint32_t kVerdictShortAmbiguous = 63349;
inline constexpr uint32_t kVerdictShortOutside = 63350;
inline constexpr uint32_t kVerdictShortZeroDelay = 63351;
inline constexpr uint32_t kVelocityUnreliablePeak = 63352;  // printf pattern with the reasons (%s)
inline constexpr uint32_t kVerdictLabel = 63353;
inline constexpr uint32_t kNoCoherenceStored = 63354;
inline constexpr uint32_t kNoCoherentBand = 63355;

}  // namespace korvanta::str
