// The document's state, its files and what it does with the results of the window's dialogs.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "DocumentTestSupport.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;
using doctest::Section;

using test::ReadAll;

void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

PipeSections OneSectionPipe(int material = 2, float length = 100.0f, float velocity = 1200.0f)
{
    PipeSections pipe{};
    pipe[0] = Section(material, length, velocity);
    return pipe;
}

TEST(CKorvantaDocTest, ANewDocumentIsClearedWithTheSensorCombinationOfTheSettings)
{
    DocumentRig rig;
    rig.settings.SetSensorPairCode(10);
    CKorvantaDoc& doc = *rig.document;
    doc.Record().range = 2;
    doc.Record().pairTotal = 9;
    doc.SetModified(true);
    doc.NewDocument();

    EXPECT_EQ(doc.SensorPairCode(), 10u);
    EXPECT_EQ(doc.Engine().PairCode(), 10);
    EXPECT_EQ(doc.CorrelationRange(), 0u);
    EXPECT_EQ(doc.PairTotal(), 0u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.IsResultValid());
    EXPECT_FALSE(doc.IsLoaded());
    EXPECT_EQ(doc.Path(), "");
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintNewDocument});
    // The database was built from the default files and is kept at exit.
    EXPECT_TRUE(doc.Materials().SaveAtExit());
    EXPECT_GT(doc.Materials().MaterialCount(), 3);
}

TEST(CKorvantaDocTest, SavedFilesCarryTheMaterialsAndReopenByteForByte)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplyPipeData(OneSectionPipe());
    doc.Edit().SetFileInformation("Vej", {"a", "b", "c"}, "ABC");
    const auto path = rig.folder / "m.kvd";
    ASSERT_TRUE(doc.Save(path));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Path(), path.string());
    EXPECT_EQ(rig.observer.hints.back(), kHintPathChanged);
    const std::string saved = ReadAll(path);
    ASSERT_EQ(saved.size(), 78590u);
    // The record on disk carries the database as it was at the time of saving.
    Material first{};
    std::memcpy(&first, saved.data() + 2 + 73788, sizeof(Material));
    EXPECT_EQ(std::string(first.name), doc.Pipe().MaterialName(0));

    ASSERT_TRUE(doc.Open(path));
    ASSERT_TRUE(doc.Save(rig.folder / "again.kvd"));
    EXPECT_EQ(ReadAll(rig.folder / "again.kvd"), saved);
}

TEST(CKorvantaDocTest, AnOpenedFilesMaterialsAreInForceUntilANewDocument)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    // A file from another installation, whose first material has another name.
    auto record = std::make_unique<MeasurementRecord>(doc.Record());
    record->pipe = OneSectionPipe(0);
    doc.Materials().CopyOut(std::span<Material, kMaxMaterials>(record->materials));
    std::strcpy(record->materials[0].name, "Fremmed r\xF8r");
    record->filters.lowCutoff = 33.0f;
    record->filters.highCutoff = 444.0f;
    std::string error;
    ASSERT_TRUE(WriteKvdFile(rig.folder / "other.kvd", *record, error));
    const std::string databaseBefore = ReadAll(rig.folder / "Database2.bin");

    rig.observer.hints.clear();
    ASSERT_TRUE(doc.Open(rig.folder / "other.kvd"));
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintFileOpened});
    EXPECT_TRUE(doc.IsLoaded());
    EXPECT_TRUE(doc.IsResultValid());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Pipe().MaterialName(0), "Fremmed rør");
    SectionInfo section;
    ASSERT_TRUE(doc.Pipe().Section(0, section));
    EXPECT_EQ(section.materialName, "Fremmed rør");
    EXPECT_FALSE(doc.Materials().SaveAtExit());
    EXPECT_EQ(doc.Edit().SavedFilters().lowCutoff, 33.0f);

    // The saved filters come back after the user changed the filters.
    doc.Edit().SetFilters(5.0f, 6.0f);
    doc.Edit().RestoreSavedFilters();
    EXPECT_EQ(doc.Filters().LowCutoff(), 33.0f);
    EXPECT_EQ(doc.Filters().HighCutoff(), 444.0f);

    doc.NewDocument();
    EXPECT_NE(doc.Pipe().MaterialName(0), "Fremmed rør");
    EXPECT_TRUE(doc.Materials().SaveAtExit());
    rig.document.reset();  // writes Database2.bin at exit
    EXPECT_EQ(ReadAll(rig.folder / "Database2.bin"), databaseBefore);
}

TEST(CKorvantaDocTest, AFileThatCannotBeReadLeavesTheMeasurementAsItWas)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplyPipeData(OneSectionPipe());
    ASSERT_TRUE(doc.Save(rig.folder / "good.kvd"));
    doc.Edit().SetFileInformation("Ugemt titel", {}, "");
    const std::string good = ReadAll(rig.folder / "good.kvd");

    WriteAll(rig.folder / "short.kvd", good.substr(0, 78589));
    WriteAll(rig.folder / "version.kvd", "\x0C" + good.substr(1));
    WriteAll(rig.folder / "one.kvd", good.substr(0, 1));
    std::string poisoned = good;
    poisoned[2 + 588] = 7;  // correlation range 7
    WriteAll(rig.folder / "poisoned.kvd", poisoned);

    const std::pair<const char*, uint32_t> cases[] = {
        {"short.kvd", str::kFileOpenDamaged}, {"version.kvd", str::kFileVersionNotSupported},
        {"one.kvd", str::kCannotReadVersion}, {"poisoned.kvd", str::kFileOpenDamaged},
        {"missing.kvd", str::kFileNotOpened},
    };
    for (const auto& [name, message] : cases) {
        rig.messages.shown.clear();
        rig.observer.hints.clear();
        EXPECT_FALSE(doc.Open(rig.folder / name)) << name;
        ASSERT_EQ(rig.messages.shown.size(), 1u) << name;
        EXPECT_EQ(rig.messages.shown[0].first, message) << name;
        EXPECT_EQ(rig.messages.shown[0].second, kStyleExclamation) << name;
        EXPECT_TRUE(rig.observer.hints.empty()) << name;
        EXPECT_EQ(doc.GetFileInformation().title, "Ugemt titel") << name;
        EXPECT_TRUE(doc.IsModified()) << name;
        EXPECT_EQ(doc.Path(), (rig.folder / "good.kvd").string()) << name;
    }
}

TEST(CKorvantaDocTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    const auto path = rig.folder / "keep.kvd";
    ASSERT_TRUE(doc.Save(path));
    const std::string before = ReadAll(path);

    doc.Edit().ApplyPipeData(OneSectionPipe());
    rig.observer.hints.clear();
    std::string reason;
    {
        // The disk fills up halfway through the new file.
        const test::FileSizeLimit full(before.size() / 2);
        EXPECT_FALSE(doc.Save(path, &reason));
    }
    EXPECT_NE(reason.find(path.string()), std::string::npos) << reason;
    EXPECT_EQ(ReadAll(path), before);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].first, str::kFileNotSaved);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(rig.observer.hints.empty());
}

TEST(CKorvantaDocTest, PipeDataSelectsTheRangeAndProposesFilters)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    // 400 m at 1000 m/s: 0.4 s, times 1.1 needs the medium span.
    PipeSections pipe{};
    pipe[0] = Section(2, 300.0f, 1000.0f);
    pipe[1] = Section(3, 100.0f, 1000.0f);
    doc.Edit().ApplyPipeData(pipe);
    EXPECT_EQ(doc.CorrelationRange(), 1u);
    EXPECT_EQ(doc.Pipe().SectionCount(), 2);
    EXPECT_FLOAT_EQ(doc.Pipe().TotalLength(), 400.0f);
    EXPECT_TRUE(doc.Pipe().HasMixedMaterials());
    // Slot 2 (travel time above 0.2 s) of materials 2 and 3, lowest low and highest high.
    const CutoffPair iron = doc.Materials().FilterForMaterial(2, 0.4f);
    const CutoffPair plastic = doc.Materials().FilterForMaterial(3, 0.4f);
    EXPECT_EQ(doc.Filters().LowCutoff(), std::min(iron.low, plastic.low));
    EXPECT_EQ(doc.Filters().HighCutoff(), std::max(iron.high, plastic.high));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintPipeChanged});

    // Emptying the pipe keeps the range and clears the proposal.
    doc.Edit().ApplyPipeData(PipeSections{});
    EXPECT_EQ(doc.CorrelationRange(), 1u);
    EXPECT_EQ(doc.Filters().LowCutoff(), 0.0f);
    EXPECT_EQ(doc.Filters().HighCutoff(), 0.0f);
}

TEST(CKorvantaDocTest, PresetsApplyOnlyToAPipeOfOneMaterial)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    PipeSections pipe{};
    pipe[0] = Section(2, 50.0f, 1200.0f);
    pipe[1] = Section(3, 50.0f, 500.0f);
    doc.Edit().ApplyPipeData(pipe);
    doc.SetModified(false);
    const float low = doc.Filters().LowCutoff();
    EXPECT_FALSE(doc.Edit().ApplyPreset(0));
    EXPECT_EQ(doc.Filters().LowCutoff(), low);
    EXPECT_FALSE(doc.IsModified());

    doc.Edit().ApplyPipeData(OneSectionPipe(2));
    doc.Edit().StoreFilterSettings([] {
        FilterSettings filters;
        filters.notches[1] = {40.0f, 60.0f};
        filters.automatic = 1;
        return filters;
    }());
    ASSERT_TRUE(doc.Presets().PresetExists(2, 1));
    EXPECT_TRUE(doc.Edit().ApplyPreset(1));
    EXPECT_EQ(doc.Filters().LowCutoff(), doc.Presets().Preset(2, 1).low);
    EXPECT_EQ(doc.Filters().HighCutoff(), doc.Presets().Preset(2, 1).high);
    // Notches and the automatic flag stay with a preset, and go with set filters.
    EXPECT_EQ(doc.Filters().NotchCount(), 1);
    EXPECT_EQ(doc.Filters().NotchLow(1), 40.0f);
    EXPECT_EQ(doc.Filters().NotchHigh(7), 0.0f);
    EXPECT_TRUE(doc.Filters().Automatic());
    doc.Edit().SetFilters(10.0f, 20.0f);
    EXPECT_EQ(doc.Filters().NotchCount(), 0);
    EXPECT_FALSE(doc.Filters().Automatic());
}

TEST(CKorvantaDocTest, ConfirmedFiltersAreSavedAndAnnounced)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    FilterSettings filters;
    filters.lowCutoff = 120.0f;
    filters.highCutoff = 700.0f;
    doc.Edit().StoreFilterSettings(filters);
    EXPECT_EQ(doc.Edit().SavedFilters().lowCutoff, 120.0f);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintFiltersChanged});

    // In the three-station mode the dialog works on the selected pair's record.
    doc.EnterThreeStationMode();
    doc.ThreeStation().SetSelectedPair(12);
    rig.observer.hints.clear();
    filters.lowCutoff = 15.0f;
    doc.Edit().StoreFilterSettings(filters);
    EXPECT_EQ(doc.ThreeStation().Record(1).filters.lowCutoff, 15.0f);
    EXPECT_EQ(doc.ThreeStation().Record(0).filters.lowCutoff, 0.0f);
    EXPECT_EQ(doc.Filters().LowCutoff(), 15.0f);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintThreeStationFiltersChanged});
}

TEST(CKorvantaDocTest, SensorCombinationGoesToRecordEngineSettingsAndTheStations)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplySensorCombination(12);
    EXPECT_EQ(doc.SensorPairCode(), 12u);
    EXPECT_EQ(doc.Engine().PairCode(), 12);
    EXPECT_EQ(rig.settings.GetSensorPairCode(), 12);
    rig.comms.TakeCommands();
    ASSERT_EQ(rig.comms.Taken().size(), 1u);
    EXPECT_EQ(rig.comms.Taken()[0].code, TM_SELECT_SENSORS);
    EXPECT_EQ(rig.comms.Taken()[0].sensorMask, 12);
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintSensorsChanged});
    // A later new document keeps the combination.
    doc.NewDocument();
    EXPECT_EQ(doc.SensorPairCode(), 12u);
}

TEST(CKorvantaDocTest, RestoringTheDefaultMaterialsAsksFirst)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    std::array<Material, kMaxMaterials> edited{};
    doc.Materials().CopyOut(std::span<Material, kMaxMaterials>(edited));
    std::strcpy(edited[0].name, "Egen");
    doc.Edit().ReplaceMaterialDatabase(edited);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Pipe().MaterialName(0), "Egen");

    rig.messages.answer = MessageAnswer::No;
    EXPECT_FALSE(doc.RestoreDefaultMaterials());
    EXPECT_EQ(doc.Pipe().MaterialName(0), "Egen");
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].first, str::kRestoreMaterialsQuestion);
    EXPECT_EQ(rig.messages.shown[0].second, kStyleQuestion | kStyleYesNo);

    rig.messages.answer = MessageAnswer::Yes;
    EXPECT_TRUE(doc.RestoreDefaultMaterials());
    EXPECT_NE(doc.Pipe().MaterialName(0), "Egen");
}

TEST(CKorvantaDocTest, FileInformationIsCutToItsFieldsAndStoredAsSingleBytes)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    const std::string sixty(60, 't');
    doc.Edit().SetFileInformation(sixty, {"Støbejern", std::string(70, 'c'), ""}, "Brugeroplysning på tyve");
    const FileInformation info = doc.GetFileInformation();
    EXPECT_EQ(info.title, std::string(59, 't'));
    EXPECT_EQ(std::string(doc.Record().comment[0]),
              "St\xF8"
              "bejern");  // 9 bytes on disk
    EXPECT_EQ(doc.CommentLines()[0], "Støbejern");
    EXPECT_EQ(doc.CommentLines()[1], std::string(59, 'c'));
    EXPECT_EQ(info.userInformation, "Brugeroplysning på ");  // 19 characters
    EXPECT_EQ(doc.Record().userInformation[19], '\0');
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(doc.Save(rig.folder / "a.b.kvd"));
    EXPECT_EQ(doc.GetFileInformation().name, "a");
}

TEST(CKorvantaDocTest, MeasuringTimeFillsItsEightBytes)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.SetMeasuringTime("01:02:03");
    EXPECT_EQ(std::string(doc.Record().measuringTime, 8), "01:02:03");
    EXPECT_EQ(doc.MeasuringTime(), "01:02:03");
    doc.SetMeasuringTime("9");
    EXPECT_EQ(std::string(doc.Record().measuringTime, 8), std::string("9\0\0\0\0\0\0\0", 8));
    doc.SetMeasuringTime("123456789");
    EXPECT_EQ(doc.MeasuringTime(), "12345678");
    EXPECT_EQ(doc.Record().quietest[0][0].re, 0.0f);  // nothing spills into the spectrum

    doc.EnterThreeStationMode();
    doc.SetMeasuringTime("00:00:42");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::string(doc.ThreeStation().Record(i).measuringTime, 8), "00:00:42");
    }
}

}  // namespace
}  // namespace korvanta
