#include "core/text/StringTable.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

std::string Load(uint32_t id)
{
    const char* text = LoadString(id);
    return text ? std::string(text) : std::string("<missing>");
}

TEST(StringTable, MessagesCarryRealLineBreaksAndExactWording)
{
    EXPECT_EQ(Load(str::kCommunicationError),
              "Fejl i kommunikation med modtageren.\r\n\r\nTjek at modtageren er forbundet. "
              "Genstart Korvanta på pc'en.");
    EXPECT_EQ(Load(str::kNoError), "Ingen fejl");
    EXPECT_EQ(Load(str::kReady), "Klar");
    EXPECT_EQ(Load(str::kStart), "START");
    EXPECT_EQ(Load(str::kStop), "STOP");
    EXPECT_EQ(Load(str::kUnitMetre), "m");
    EXPECT_EQ(Load(str::kUnitFootPerMillisecond), "ft/ms");
    EXPECT_EQ(Load(str::kUnitInch), "ins");
    EXPECT_EQ(Load(str::kLeakOutsideRange), "Lækagen er uden for området.");
    EXPECT_EQ(Load(str::kOpeningPort), "Åbner ");  // the port name is appended

    // CR LF are two real control characters, not a backslash notation.
    const std::string limit = Load(str::kInvalidLengthMetric);
    EXPECT_EQ(limit.find('\\'), std::string::npos);
    const std::size_t crlf = limit.find("\r\n\r\n");
    ASSERT_NE(crlf, std::string::npos);
    EXPECT_EQ(limit.substr(0, crlf), "Dette er en ugyldig værdi for længde");
    EXPECT_EQ(limit.substr(crlf + 4), "Indtast en værdi højere end 0.1m.");

    // The document template separates its fields with bare line feeds.
    EXPECT_EQ(Load(str::kDocumentTemplate),
              "Korvanta\n\nKorvanta\nKorvanta Files (*.kvd)\n.kvd\nKorvanta.Document\nKorvanta File");
}

TEST(StringTable, KeepsTheProgramsOwnSpellingAndSpacing)
{
    EXPECT_NE(Load(str::kMeasurementStopped).find("Modtageren er stadigtilsluttet pc'en."), std::string::npos);
    EXPECT_NE(Load(str::kDefaultVelocityTableMissing).find("indlæses.mlist fd-filen"), std::string::npos);
    EXPECT_NE(Load(str::kListeningStopFailed).find("påstået under fosøg"), std::string::npos);
    EXPECT_NE(Load(str::kMaterialLimitReached).find("maximun"), std::string::npos);
    // Trailing blank after "Hz." and the trailing CR LF of the sensor-status timer message.
    const std::string notch = Load(str::kNotchNeedsHighCutoff);
    EXPECT_EQ(notch.substr(notch.size() - 5), " Hz. ");
    const std::string timer = Load(str::kSensorStatusTimerError);
    EXPECT_EQ(timer.substr(timer.size() - 2), "\r\n");
    // printf pattern kept intact for the caller.
    EXPECT_NE(Load(str::kDataOutOfRange).find("%0.0f - %0.0f"), std::string::npos);
}

TEST(StringTable, MessagesReusedUnderTheirHistoricNumbers)
{
    // The kvd version message and the missing-version message have one text for all readers.
    EXPECT_EQ(Load(str::kFileVersionNotSupported),
              "Filen kan ikke åbnes. Der kan være 2 årsager:\r\n\r\n1: Filen er ikke "
              "Korvanta-datafil (kvd)\r\n\r\n2: Filversionen understøttes ikke af dette program.");
    EXPECT_EQ(Load(str::kCannotReadVersion), "Kan ikke læse versionsnummer på kvd.");
    EXPECT_EQ(Load(str::kLabelDelay), "Løbetid ");
    EXPECT_EQ(Load(str::kLabelLength), "Længde ");
}

TEST(StringTable, UnknownIdsGiveNull)
{
    for (uint32_t id : {0u, 1u, 127u, 62111u, 62115u, 62173u, 62436u, 62999u, 63000u, 63999u, 0xFFFFFFFFu}) {
        EXPECT_EQ(LoadString(id), nullptr) << id;
    }
}

TEST(StringTable, DefaultMaterialNames)
{
    const std::array<const char*, 20> names = {
        "Eternit",      "Kobber",       "Dukt. stbj",   "PEH",          "Støbejern",    "PEL",          "Bly",
        "PEM",          "PVC",          "Beton",        "Stål",         "Materiale 12", "Materiale 13", "Materiale 14",
        "Materiale 15", "Materiale 16", "Materiale 17", "Materiale 18", "Materiale 19", "Materiale 20"};
    ASSERT_EQ(str::kDefaultMaterialNameLast - str::kDefaultMaterialName0 + 1, names.size());
    for (uint32_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(Load(str::kDefaultMaterialName0 + i), names[i]) << i;
    }
}

TEST(StringTable, NumberedRangesAreComplete)
{
    for (uint32_t i = 0; i <= str::kPresetLetterLast - str::kPresetLetterFirst; ++i) {
        EXPECT_EQ(Load(str::kPresetLetterFirst + i), std::string(1, static_cast<char>('A' + i)));
    }
    EXPECT_EQ(str::kPresetLetterLast - str::kPresetLetterFirst, 9u);
    for (uint32_t i = 0; i <= str::kLabelNotchLast - str::kLabelNotchFirst; ++i) {
        EXPECT_EQ(Load(str::kLabelNotchFirst + i), "Notch " + std::to_string(i + 1) + " ");
    }
    EXPECT_EQ(str::kLabelNotchLast - str::kLabelNotchFirst, 4u);
}

TEST(StringTable, EveryEntryIsSortedUniqueAndFitsTheSingleByteCodePage)
{
    const auto entries = StringTableEntries();
    ASSERT_GT(entries.size(), 200u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const StringEntry& e = entries[i];
        if (i > 0) {
            EXPECT_LT(entries[i - 1].id, e.id) << "order broken at " << e.id;
        }
        ASSERT_NE(e.text, nullptr) << e.id;
        EXPECT_GT(std::strlen(e.text), 0u) << e.id;
        EXPECT_EQ(LoadString(e.id), e.text) << e.id;
        // A text that does not survive the round trip is malformed UTF-8 or holds a character
        // the record fields and exports cannot store.
        EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(e.text)), e.text) << e.id;
    }
}

TEST(StringTable, EveryNamedIdHasAText)
{
    const uint32_t ids[] = {str::kDocumentTemplate,
                            str::kCorrelationCommandPrompt,
                            str::kRadioModeLowPrompt,
                            str::kRadioModeHighPrompt,
                            str::kAppTitle,
                            str::kReady,
                            str::kUntitledDocument,
                            str::kScreenTooSmall,
                            str::kDialogCannotBeShown,
                            str::kCannotCreateComms,
                            str::kFirmwareIncompatible,
                            str::kNoError,
                            str::kCommunicationError,
                            str::kComPortOpenFailed,
                            str::kListeningInterrupted,
                            str::kRedNotAnswering,
                            str::kBlueNotAnswering,
                            str::kYellowNotAnswering,
                            str::kRedFault,
                            str::kBlueFault,
                            str::kYellowFault,
                            str::kNoSensorRed,
                            str::kNoSensorBlue,
                            str::kNoSensorYellow,
                            str::kNoSensorInterface,
                            str::kResetPressedDuringMeasurement,
                            str::kListeningStopFailed,
                            str::kOpeningPort,
                            str::kStart,
                            str::kStop,
                            str::kLowBatteryInterface,
                            str::kLowBatteryRed,
                            str::kLowBatteryBlue,
                            str::kLowBatteryYellow,
                            str::kFlatBatteryInterface,
                            str::kFlatBatteryRed,
                            str::kFlatBatteryBlue,
                            str::kFlatBatteryYellow,
                            str::kSensorStatusTimerError,
                            str::kBatteryWarningTimerError,
                            str::kMeasuringTimeTimerError,
                            str::kMeasurementStopped,
                            str::kCriticalBatteryInterface,
                            str::kLeakOutsideRange,
                            str::kCannotCreatePipeLayout,
                            str::kCannotCreateGraph,
                            str::kFilterOpen,
                            str::kSetStartPoint,
                            str::kSetEndPoint,
                            str::kMixedMaterials,
                            str::kFilterHigh,
                            str::kPresetNone,
                            str::kPresetStandard,
                            str::kPresetUser,
                            str::kPresetMetallic,
                            str::kPresetNonMetallic,
                            str::kFilterAuto,
                            str::kSelectedMaterialError,
                            str::kMaterialDatabaseReadError,
                            str::kPipeDataReadError,
                            str::kSelectPipeSection,
                            str::kNoPipeSectionDefined,
                            str::kInvalidDiameterMetric,
                            str::kInvalidDiameterImperial,
                            str::kInvalidLengthMetric,
                            str::kInvalidLengthImperial,
                            str::kInvalidVelocityMetric,
                            str::kInvalidVelocityImperial,
                            str::kMaterialLoadError,
                            str::kDefaultFiltersMissing,
                            str::kDefaultMaterialsMissing,
                            str::kDefaultVelocityTableMissing,
                            str::kVelocityDatabaseFull,
                            str::kPresetFiltersMissing,
                            str::kMaterialNameMissing,
                            str::kMaterialNameExists,
                            str::kCannotDeleteLastMaterial,
                            str::kCannotDeleteOnlyEntry,
                            str::kSelectEntryToRemove,
                            str::kMaterialLimitReached,
                            str::kEntryLimitReached,
                            str::kRestoreMaterialsQuestion,
                            str::kFileVersionNotSupported,
                            str::kFileOpenDamaged,
                            str::kCannotReadVersion,
                            str::kHighBelowLowCutoff,
                            str::kNotchNeedsHighCutoff,
                            str::kSelectNotchFilter,
                            str::kNotchLowAboveHigh,
                            str::kSetLowCutoff,
                            str::kSetHighCutoff,
                            str::kCopyError,
                            str::kDistanceLabelMetre,
                            str::kDistanceLabelFoot,
                            str::kOutsideRange,
                            str::kDataOutOfRange,
                            str::kNoFilters,
                            str::kNoteVelocityLow,
                            str::kNoteVelocityHigh,
                            str::kNoteCalculationImpossible,
                            str::kFileSaveError,
                            str::kFileNotValidated,
                            str::kVelocityCalculationTitle,
                            str::kDistanceNotValid,
                            str::kVelocityCalculationError,
                            str::kInvalidDelay,
                            str::kLeakPositionNotChosen,
                            str::kLeakNearMiddle,
                            str::kOnlyOneSection,
                            str::kMaterialIndexError,
                            str::kChartDelayTitle,
                            str::kChartLengthTitle,
                            str::kRemove,
                            str::kRestore,
                            str::kOnlyKvdFiles,
                            str::kNoPipeSectionsInFile,
                            str::kPipeSectionsMismatch,
                            str::kPipeDataMismatch,
                            str::kRemovePermanently,
                            str::kDelayLabelSeconds,
                            str::kDelayLabelMilliseconds,
                            str::kPipeLengthLabelMetre,
                            str::kPipeLengthLabelFoot,
                            str::kVelocityLabelMetrePerSecond,
                            str::kVelocityLabelMetrePerMillisecond,
                            str::kVelocityLabelFootPerSecond,
                            str::kVelocityLabelFootPerMillisecond,
                            str::kStaticDistanceLabelMetre,
                            str::kStaticDistanceLabelFoot,
                            str::kFileNotSaved,
                            str::kDataNotWritten,
                            str::kFileNotOpened,
                            str::kFileNotRead,
                            str::kRegressionVersionNotSupported,
                            str::kUnitNameInterface,
                            str::kUnitNameRed,
                            str::kUnitNameBlue,
                            str::kUnitNameYellow,
                            str::kCompatible,
                            str::kIncompatible,
                            str::kCheckingHeadphone,
                            str::kHeadphoneNotConnected,
                            str::kStartingListening,
                            str::kListeningInterface,
                            str::kListeningNotReached,
                            str::kNoSensorConnected,
                            str::kListeningRed,
                            str::kListeningBlue,
                            str::kListeningYellow,
                            str::kNotFoundOutOfRadioRange,
                            str::kUnitMetre,
                            str::kUnitFoot,
                            str::kUnitMillimetre,
                            str::kUnitInch,
                            str::kUnitMetrePerSecond,
                            str::kUnitMetrePerMillisecond,
                            str::kUnitFootPerSecond,
                            str::kUnitFootPerMillisecond,
                            str::kUnitSecond,
                            str::kUnitMillisecond,
                            str::kOn,
                            str::kOff,
                            str::kCursorAutomatic,
                            str::kCursorManual,
                            str::kLabelFile,
                            str::kLabelDelay,
                            str::kLabelValue,
                            str::kLabelDistanceSensor1,
                            str::kLabelDistanceSensor2,
                            str::kLabelPipeSection,
                            str::kLabelMaterial,
                            str::kLabelLength,
                            str::kLabelDiameter,
                            str::kLabelVelocity,
                            str::kLabelLowCutoff,
                            str::kLabelHighCutoff,
                            str::kLabelAutoFilter,
                            str::kLabelNotchFilter,
                            str::kLabelGisCode,
                            str::kLabelDate,
                            str::kLabelTime,
                            str::kLabelTitle,
                            str::kLabelUserReference,
                            str::kLabelComments,
                            str::kLabelPipeData,
                            str::kLabelFilterSettings,
                            str::kLabelNotchSettings,
                            str::kLabelFileName,
                            str::kLabelCommentsPrinted,
                            str::kLabelUserReferencePrinted,
                            str::kLabelCursor,
                            str::kLabelElapsedTime,
                            str::kTagRed,
                            str::kTagBlue,
                            str::kTagYellow,
                            str::kTagInterface,
                            str::kUnitTagMetre,
                            str::kUnitTagFoot,
                            str::kUnitTagMillimetre,
                            str::kUnitTagInch,
                            str::kUnitTagMetrePerSecond,
                            str::kUnitTagMetrePerMillisecond,
                            str::kUnitTagFootPerSecond,
                            str::kUnitTagFootPerMillisecond,
                            str::kUnitTagSecond,
                            str::kUnitTagMillisecond,
                            str::kFileFilterMeasurement,
                            str::kFileFilterThreeStation,
                            str::kFileFilterRegression};
    for (uint32_t id : ids) {
        EXPECT_NE(LoadString(id), nullptr) << id;
    }
}

TEST(StringTable, RadioModePromptsShowTheirTooltipAfterTheLineBreak)
{
    const std::string low = Load(str::kRadioModeLowPrompt);
    const std::string high = Load(str::kRadioModeHighPrompt);
    ASSERT_NE(low.find('\n'), std::string::npos);
    ASSERT_NE(high.find('\n'), std::string::npos);
    EXPECT_EQ(low.substr(low.find('\n') + 1), "Lav sendestyrkle");
    EXPECT_EQ(high.substr(high.find('\n') + 1), "Sendestyrke høj");
}

}  // namespace
}  // namespace korvanta
