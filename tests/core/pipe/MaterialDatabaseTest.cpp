#include <array>
#include <cstring>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "core/pipe/CMaterialDatabase.h"
#include "core/text/StringIds.h"
#include "tests/core/pipe/PipeTestSupport.h"
#include "tests/support/FileSizeLimit.h"

namespace korvanta {
namespace {

using test::ReadAll;
using pipetest::RecordingMessageSink;
using pipetest::TempDir;
using pipetest::WriteFile;
using Message = std::pair<uint32_t, uint32_t>;

constexpr const char* kFilters = "// defaults\n0, 100, 800\n0, 50, 600\n0, 20, 400\n1, 10, 300\n";
constexpr const char* kVelocities =
    "1 \"100\" \"900\"\n1 \"150\" \"1000\"\n2 \"100\" \"400\"\n1 \"200\" \"1100\"\n14 \"1\" \"1\"\n";

void WriteDefaults(const TempDir& dir)
{
    WriteFile(dir / "filters.fd", kFilters);
    WriteFile(dir / "mlist.fd", kVelocities);
}

// A database whose entries the test sets; it never touches the folder's files again.
struct Fixture {
    TempDir dir;
    RecordingMessageSink sink;
    CMaterialDatabase db{dir.Path(), sink};

    Fixture() { sink.messages.clear(); }

    void SetMaterial(int index, const Material& material)
    {
        std::array<Material, kMaxMaterials> all{};
        db.CopyOut(all);
        all[static_cast<size_t>(index)] = material;
        db.CopyIn(all);
    }
};

Material Table(std::initializer_list<std::pair<float, float>> pairs)
{
    Material m;
    m.inUse = 1;
    int k = 0;
    for (const auto& [diameter, velocity] : pairs) {
        m.diameters[k] = diameter;
        m.velocities[k] = velocity;
        ++k;
    }
    return m;
}

TEST(MaterialDatabase, MissingFilesGiveTheStopMessageAndNoWriteAtExit)
{
    TempDir dir;
    RecordingMessageSink sink;
    {
        CMaterialDatabase db(dir.Path(), sink);
        EXPECT_FALSE(db.SaveAtExit());
        EXPECT_EQ(db.MaterialCount(), 0);
    }
    EXPECT_EQ(sink.messages, (std::vector<Message>{{str::kDefaultFiltersMissing, kStyleStop}}));
    EXPECT_FALSE(std::filesystem::exists(dir / "Database2.bin"));
}

TEST(MaterialDatabase, MissingVelocityTableKeepsWhatWasFilledButDoesNotSaveIt)
{
    TempDir dir;
    WriteFile(dir / "filters.fd", kFilters);
    RecordingMessageSink sink;
    CMaterialDatabase db(dir.Path(), sink);
    EXPECT_EQ(sink.messages, (std::vector<Message>{{str::kDefaultVelocityTableMissing, kStyleStop}}));
    EXPECT_FALSE(db.SaveAtExit());
    EXPECT_EQ(db.MaterialCount(), 2);
    EXPECT_EQ(db.MaterialName(4), "Støbejern");
    EXPECT_EQ(db.FilterForMaterial(0, 0.15f), (CutoffPair{50.0f, 600.0f}));
}

TEST(MaterialDatabase, DefaultsAreRestoredAndWrittenWhenTheDatabaseIsMissingOrShort)
{
    for (const size_t existing : {size_t{0}, size_t{4799}}) {
        TempDir dir;
        WriteDefaults(dir);
        if (existing > 0)
            WriteFile(dir / "Database2.bin", std::string(existing, '\x7f'));
        RecordingMessageSink sink;
        CMaterialDatabase db(dir.Path(), sink);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_TRUE(db.SaveAtExit());
        EXPECT_EQ(db.MaterialCount(), 3);
        EXPECT_EQ(db.MaterialName(0), "Eternit");
        EXPECT_EQ(db.MaterialName(19), "Materiale 20");
        // The name is kept as Windows-1252: ø is one byte.
        EXPECT_STREQ(db.GetMaterial(4)->name,
                     "St\xF8"
                     "bejern");
        EXPECT_EQ(db.GetMaterial(3)->inUse, 0);  // names alone do not put a material in use

        const std::string image = ReadAll(dir / "Database2.bin");
        ASSERT_EQ(image.size(), CMaterialDatabase::kImageBytes);
        std::array<uint8_t, CMaterialDatabase::kImageBytes> copy{};
        db.CopyOut(copy);
        EXPECT_EQ(std::memcmp(image.data(), copy.data(), copy.size()), 0);
    }
}

TEST(MaterialDatabase, VelocityTableRestartsAMaterialAndSkipsIndexTwenty)
{
    TempDir dir;
    WriteDefaults(dir);
    RecordingMessageSink sink;
    CMaterialDatabase db(dir.Path(), sink);
    const Material* copper = db.GetMaterial(1);
    EXPECT_EQ(copper->diameters[0], 200.0f);
    EXPECT_EQ(copper->velocities[0], 1100.0f);
    EXPECT_EQ(copper->diameters[1], 150.0f);
    EXPECT_EQ(copper->velocities[1], 1000.0f);
    EXPECT_EQ(copper->diameters[2], 0.0f);
    EXPECT_EQ(db.GetMaterial(2)->diameters[0], 100.0f);
    for (int i = 3; i < kMaxMaterials; ++i)
        EXPECT_EQ(db.GetMaterial(i)->diameters[0], 0.0f) << i;
}

TEST(MaterialDatabase, AnExistingFileIsReadAndLongerFilesAreAccepted)
{
    TempDir dir;
    std::string image(CMaterialDatabase::kImageBytes + 10, '\0');
    Material m = Table({{110.0f, 450.0f}});
    std::memcpy(m.name, "Eget", 4);
    std::memcpy(image.data() + sizeof(Material) * 5, &m, sizeof m);
    WriteFile(dir / "Database2.bin", image);
    RecordingMessageSink sink;
    CMaterialDatabase db(dir.Path(), sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(db.SaveAtExit());
    EXPECT_EQ(db.MaterialName(5), "Eget");
    EXPECT_EQ(db.MaterialCount(), 0);  // entry 0 is not in use
}

TEST(MaterialDatabase, AFailedReadLeavesTheEntriesAlone)
{
    Fixture f;
    f.SetMaterial(0, Table({{100.0f, 1000.0f}}));
    WriteFile(f.dir / "Database2.bin", std::string(100, '\x11'));
    EXPECT_FALSE(f.db.ReadFile());
    std::istringstream shortStream(std::string(4799, '\x22'));
    EXPECT_FALSE(f.db.ReadFrom(shortStream));
    EXPECT_EQ(f.db.GetMaterial(0)->velocities[0], 1000.0f);
    EXPECT_EQ(f.db.MaterialCount(), 1);
}

TEST(MaterialDatabase, WriteReplacesTheFileAndAFailedWriteKeepsTheOldOne)
{
    Fixture f;
    f.SetMaterial(0, Table({{100.0f, 1000.0f}}));
    ASSERT_TRUE(f.db.WriteFile());
    const std::string good = ReadAll(f.dir / "Database2.bin");
    ASSERT_EQ(good.size(), CMaterialDatabase::kImageBytes);

    f.SetMaterial(0, Table({{100.0f, 2000.0f}}));
    {
        // The disk fills up halfway through the new file.
        const test::FileSizeLimit full(CMaterialDatabase::kImageBytes / 2);
        EXPECT_FALSE(f.db.WriteFile());
    }
    EXPECT_EQ(ReadAll(f.dir / "Database2.bin"), good);
    // No temporary file is left beside it.
    for (const auto& entry : std::filesystem::directory_iterator(f.dir.Path())) {
        EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
    }
}

TEST(MaterialDatabase, SavesOnlyWhenAskedAndChangedAndNeverOnItsOwn)
{
    TempDir dir;
    RecordingMessageSink sink;
    WriteDefaults(dir);
    const auto database = dir / "Database2.bin";
    {
        CMaterialDatabase db(dir.Path(), sink);  // built from the defaults and written
        EXPECT_FALSE(db.IsChanged());
        std::filesystem::remove(database);
        EXPECT_TRUE(db.SaveIfChanged());  // nothing changed: nothing written
        EXPECT_FALSE(std::filesystem::exists(database));
        db.CopyIn(std::array<Material, kMaxMaterials>{Table({{1.0f, 2.0f}})});
        EXPECT_TRUE(db.IsChanged());
    }
    // Going away writes nothing, however the entries changed.
    EXPECT_FALSE(std::filesystem::exists(database));
    {
        CMaterialDatabase db(dir.Path(), sink);
        db.CopyIn(std::array<Material, kMaxMaterials>{Table({{1.0f, 2.0f}})});
        ASSERT_TRUE(db.SaveIfChanged());
        EXPECT_FALSE(db.IsChanged());
    }
    EXPECT_EQ(ReadAll(database).size(), CMaterialDatabase::kImageBytes);
    {
        CMaterialDatabase db(dir.Path(), sink);
        EXPECT_EQ(db.GetMaterial(0)->velocities[0], 2.0f);
        db.CopyIn(std::array<Material, kMaxMaterials>{});
        db.SetSaveAtExit(false);
        EXPECT_TRUE(db.SaveIfChanged());
    }
    CMaterialDatabase again(dir.Path(), sink);
    EXPECT_EQ(again.GetMaterial(0)->velocities[0], 2.0f);
}

TEST(MaterialDatabase, CountStopsAtTheFirstMaterialNotInUse)
{
    Fixture f;
    for (int i : {0, 1, 2, 3, 4, 6})
        f.SetMaterial(i, Table({}));
    EXPECT_EQ(f.db.MaterialCount(), 5);
    for (int i = 0; i < kMaxMaterials; ++i)
        f.SetMaterial(i, Table({}));
    EXPECT_EQ(f.db.MaterialCount(), 20);
}

TEST(MaterialDatabase, NamesOutsideTheTableShowTheMaterialError)
{
    Fixture f;
    Material unterminated;
    std::memset(unterminated.name, 'x', sizeof unterminated.name);
    f.SetMaterial(2, unterminated);
    EXPECT_EQ(f.db.MaterialName(2), std::string(52, 'x'));
    EXPECT_TRUE(f.sink.messages.empty());
    EXPECT_EQ(f.db.MaterialName(20), "");
    EXPECT_EQ(f.db.MaterialName(-1), "");
    EXPECT_EQ(f.sink.messages, (std::vector<Message>{{str::kMaterialLoadError, kStyleExclamation},
                                                     {str::kMaterialLoadError, kStyleExclamation}}));
}

TEST(MaterialDatabase, VelocityIsInterpolatedFromTheFirstEntry)
{
    Fixture f;
    f.SetMaterial(0, Table({{100.0f, 900.0f}, {150.0f, 1000.0f}, {200.0f, 1100.0f}}));
    EXPECT_EQ(f.db.GetVelocityForDiameter(0, 175.0f), 1050.0f);
    EXPECT_EQ(f.db.GetVelocityForDiameter(0, 250.0f), 1100.0f);
    EXPECT_EQ(f.db.GetVelocityForDiameter(0, 100.0f), 900.0f);
    EXPECT_EQ(f.db.GetVelocityForDiameter(0, 20.0f), 900.0f);
    // Not between neighbours: with a bent table the line from entry 0 gives 1200, not 1150.
    f.SetMaterial(1, Table({{100.0f, 900.0f}, {150.0f, 1000.0f}, {200.0f, 1300.0f}}));
    EXPECT_EQ(f.db.GetVelocityForDiameter(1, 175.0f), 1200.0f);
    f.SetMaterial(2, Table({}));
    EXPECT_EQ(f.db.GetVelocityForDiameter(2, 100.0f), 0.0f);
    EXPECT_EQ(f.db.GetVelocityForDiameter(20, 100.0f), 0.0f);
    EXPECT_EQ(f.db.GetVelocityForDiameter(-1, 100.0f), 0.0f);
    f.SetMaterial(3, Table({{100.0f, std::numeric_limits<float>::quiet_NaN()}, {200.0f, 1000.0f}}));
    EXPECT_EQ(f.db.GetVelocityForDiameter(3, 150.0f), 0.0f);
}

TEST(MaterialDatabase, TravelTimeClassesIncludeTheirUpperLimit)
{
    Fixture f;
    Material m = Table({});
    const float lows[] = {100.0f, 50.0f, 20.0f};
    const float highs[] = {800.0f, 600.0f, 0.0f};
    std::memcpy(m.lowCutoffs, lows, sizeof lows);
    std::memcpy(m.highCutoffs, highs, sizeof highs);
    f.SetMaterial(7, m);
    EXPECT_EQ(f.db.FilterForMaterial(7, 0.0f), (CutoffPair{100.0f, 800.0f}));
    EXPECT_EQ(f.db.FilterForMaterial(7, 0.1f), (CutoffPair{100.0f, 800.0f}));
    EXPECT_EQ(f.db.FilterForMaterial(7, std::nextafter(0.1f, 1.0f)), (CutoffPair{50.0f, 600.0f}));
    EXPECT_EQ(f.db.FilterForMaterial(7, 0.2f), (CutoffPair{50.0f, 600.0f}));
    EXPECT_EQ(f.db.FilterForMaterial(7, 0.21f), (CutoffPair{20.0f, 0.0f}));
    EXPECT_TRUE(f.sink.messages.empty());
    EXPECT_EQ(f.db.FilterForMaterial(20, 0.05f), (CutoffPair{}));
    EXPECT_EQ(f.sink.messages, (std::vector<Message>{{str::kMaterialLoadError, kStyleExclamation}}));
}

TEST(MaterialDatabase, MeasuredPairsKeepTheTableSorted)
{
    Fixture f;
    f.SetMaterial(0, Table({{100.0f, 900.0f}, {125.0f, 1000.0f}}));
    EXPECT_TRUE(f.db.AddMeasuredPair(0, 110.0f, 950.0f));
    EXPECT_TRUE(f.db.AddMeasuredPair(0, 100.0f, 920.0f));
    EXPECT_TRUE(f.db.AddMeasuredPair(0, 50.0f, 800.0f));
    EXPECT_TRUE(f.db.AddMeasuredPair(0, 300.0f, 1200.0f));
    const Material* m = f.db.GetMaterial(0);
    const float diameters[] = {50.0f, 100.0f, 110.0f, 125.0f, 300.0f, 0.0f};
    const float velocities[] = {800.0f, 920.0f, 950.0f, 1000.0f, 1200.0f, 0.0f};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(m->diameters[k], diameters[k]) << k;
        EXPECT_EQ(m->velocities[k], velocities[k]) << k;
    }
    EXPECT_FALSE(f.db.AddMeasuredPair(0, 0.0f, 1.0f));
    EXPECT_FALSE(f.db.AddMeasuredPair(0, std::numeric_limits<float>::quiet_NaN(), 1.0f));
    EXPECT_FALSE(f.db.AddMeasuredPair(20, 100.0f, 1.0f));
    EXPECT_TRUE(f.sink.messages.empty());
}

TEST(MaterialDatabase, AFullTableRefusesNewDiametersButTakesEqualOnes)
{
    Fixture f;
    Material full = Table({});
    for (int k = 0; k < kMaxVelocityEntries; ++k) {
        full.diameters[k] = 10.0f * static_cast<float>(k + 1);
        full.velocities[k] = 1000.0f;
    }
    f.SetMaterial(4, full);
    EXPECT_FALSE(f.db.AddMeasuredPair(4, 15.0f, 1.0f));
    EXPECT_EQ(f.sink.messages, (std::vector<Message>{{str::kVelocityDatabaseFull, kStyleExclamation}}));
    EXPECT_EQ(std::memcmp(f.db.GetMaterial(4), &full, sizeof full), 0);
    EXPECT_TRUE(f.db.AddMeasuredPair(4, 200.0f, 1234.0f));
    EXPECT_EQ(f.db.GetMaterial(4)->velocities[19], 1234.0f);
}

}  // namespace
}  // namespace korvanta
