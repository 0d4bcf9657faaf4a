#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "DocumentTestSupport.h"
#include "core/document/KvdFile.h"
#include "core/text/StringIds.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

using doctest::DataFolder;
using doctest::Section;

// A record with every field filled, the way a saved measurement looks.
std::unique_ptr<MeasurementRecord> FilledRecord(uint32_t seed = 1)
{
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    std::strcpy(record->date, "05 Mar 2024");
    std::strcpy(record->time, "14:07");
    std::strcpy(record->title, "Hovedgade 12");
    std::memcpy(record->measuringTime, "00:01:40", 8);
    record->pipe[0] = Section(2, 120.5f, 1250.0f);
    record->pipe[1] = Section(3, 30.0f, 480.0f, 110.0f);
    record->filters.lowCutoff = 100.0f;
    record->filters.highCutoff = 800.0f;
    record->filters.notches[0] = {48.0f, 52.0f};
    record->pairTotal = 42;
    record->range = 1;
    record->pairCode = 10;
    for (auto& ring : record->quietest) {
        for (ComplexF& bin : ring)
            bin = {value(rng), value(rng)};
    }
    for (auto& accumulator : record->accumulators) {
        for (ComplexF& bin : accumulator.bins)
            bin = {value(rng), value(rng)};
    }
    std::strcpy(record->materials[0].name,
                "St\xF8"
                "bejern");
    record->materials[0].inUse = 1;
    return record;
}

bool SameBytes(const MeasurementRecord& a, const MeasurementRecord& b)
{
    return std::memcmp(&a, &b, sizeof(MeasurementRecord)) == 0;
}

TEST(KvdFileTest, ImageIsVersionElevenThenTheRecordAsItLiesInMemory)
{
    const auto record = FilledRecord();
    const std::vector<uint8_t> image = FormatKvd(*record);
    ASSERT_EQ(image.size(), 78590u);
    EXPECT_EQ(image[0], 0x0B);
    EXPECT_EQ(image[1], 0x00);
    EXPECT_EQ(std::memcmp(image.data() + 2, record.get(), sizeof(MeasurementRecord)), 0);
    // Fields at their stated offsets (file offset = record offset + 2).
    uint32_t pairCode = 0;
    std::memcpy(&pairCode, image.data() + 2 + 592, 4);
    EXPECT_EQ(pairCode, 10u);
    EXPECT_EQ(image[2 + 73788 + 1], 't');  // second letter of the first material's name
}

TEST(KvdFileTest, FileRoundTripsByteForByte)
{
    DataFolder folder;
    const auto record = FilledRecord(7);
    std::string error;
    ASSERT_TRUE(WriteKvdFile(folder / "a.kvd", *record, error)) << error;

    auto read = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    ASSERT_EQ(ReadKvdFile(folder / "a.kvd", *read), KvdStatus::Ok);
    EXPECT_TRUE(SameBytes(*record, *read));

    ASSERT_TRUE(WriteKvdFile(folder / "b.kvd", *read, error)) << error;
    const std::string bytesA = test::ReadAll(folder / "a.kvd");
    const std::string bytesB = test::ReadAll(folder / "b.kvd");
    EXPECT_EQ(bytesA.size(), 78590u);
    EXPECT_EQ(bytesA, bytesB);
}

TEST(KvdFileTest, SizesAndVersionsAtTheirLimits)
{
    const auto record = FilledRecord();
    std::vector<uint8_t> image = FormatKvd(*record);
    auto target = std::make_unique<MeasurementRecord>(MakeEmptyRecord());

    EXPECT_EQ(ParseKvd(image, *target), KvdStatus::Ok);  // exactly 78590 bytes
    EXPECT_EQ(ParseKvd(std::span(image).first(78589), *target), KvdStatus::Short);
    EXPECT_EQ(ParseKvd(std::span(image).first(2), *target), KvdStatus::Short);
    EXPECT_EQ(ParseKvd(std::span(image).first(1), *target), KvdStatus::NoVersion);
    EXPECT_EQ(ParseKvd({}, *target), KvdStatus::NoVersion);
    image.push_back(0xEE);  // trailing bytes are not read
    EXPECT_EQ(ParseKvd(image, *target), KvdStatus::Ok);
    image[0] = 0x0C;
    EXPECT_EQ(ParseKvd(image, *target), KvdStatus::WrongVersion);
    image[0] = 0x0B;
    image[1] = 0x01;  // 267, not 11: both bytes count
    EXPECT_EQ(ParseKvd(image, *target), KvdStatus::WrongVersion);

    EXPECT_EQ(KvdStatusMessage(KvdStatus::WrongVersion), str::kFileVersionNotSupported);
    EXPECT_EQ(KvdStatusMessage(KvdStatus::Short), str::kFileOpenDamaged);
    EXPECT_EQ(KvdStatusMessage(KvdStatus::Damaged), str::kFileOpenDamaged);
    EXPECT_EQ(KvdStatusMessage(KvdStatus::NoVersion), str::kCannotReadVersion);
    EXPECT_EQ(KvdStatusMessage(KvdStatus::CannotOpen), str::kFileNotOpened);
}

TEST(KvdFileTest, PoisonedFieldsAreRefusedAndTheTargetKeptIntact)
{
    using Poison = void (*)(MeasurementRecord&);
    const Poison poisons[] = {
        [](MeasurementRecord& r) { r.range = 3; },
        [](MeasurementRecord& r) { r.range = 0xFFFFFFFF; },
        [](MeasurementRecord& r) { r.pairCode = 0; },
        [](MeasurementRecord& r) { r.pairCode = 14; },
        [](MeasurementRecord& r) { r.pairCode = 0x80000006; },
        [](MeasurementRecord& r) {
            r.pipe[1].inUse = 7;
            r.pipe[4] = Section(0, 1.0f, 1000.0f);
        },
        [](MeasurementRecord& r) { r.pipe[0].materialIndex = 20; },
        [](MeasurementRecord& r) { r.pipe[1].materialIndex = -1; },
        [](MeasurementRecord& r) { r.pipe[0].velocity = 0.0f; },
        [](MeasurementRecord& r) { r.pipe[0].velocity = std::numeric_limits<float>::quiet_NaN(); },
        [](MeasurementRecord& r) { r.pipe[1].length = std::numeric_limits<float>::infinity(); },
        [](MeasurementRecord& r) { r.pipe[1].length = -5.0f; },
        [](MeasurementRecord& r) { r.pipe[0].diameter = std::numeric_limits<float>::quiet_NaN(); },
        [](MeasurementRecord& r) {
            for (PipeSection& section : r.pipe)
                section = Section(0, 3e38f, 1000.0f);  // each sound, the sum infinite
        },
        [](MeasurementRecord& r) { r.accumulators[2].bins[100].re = std::numeric_limits<float>::quiet_NaN(); },
        [](MeasurementRecord& r) { r.accumulators[4].bins[1023].im = -std::numeric_limits<float>::infinity(); },
        [](MeasurementRecord& r) { r.quietest[1][5].re = std::numeric_limits<float>::infinity(); },
        [](MeasurementRecord& r) { r.filters.lowCutoff = std::numeric_limits<float>::quiet_NaN(); },
        [](MeasurementRecord& r) { r.filters.notches[3].high = std::numeric_limits<float>::infinity(); },
        [](MeasurementRecord& r) { r.pairTotal = 0xFFFFFFFF; },
        [](MeasurementRecord& r) { r.pairTotal = kMaxPairTotal + 1; },
    };
    const auto original = FilledRecord(3);
    for (size_t i = 0; i < std::size(poisons); ++i) {
        auto poisoned = FilledRecord();
        poisons[i](*poisoned);
        EXPECT_FALSE(FindRecordDamage(*poisoned).empty()) << "poison " << i;
        auto target = FilledRecord(3);
        EXPECT_EQ(ParseKvd(FormatKvd(*poisoned), *target), KvdStatus::Damaged) << "poison " << i;
        EXPECT_TRUE(SameBytes(*target, *original)) << "poison " << i;
    }
}

TEST(KvdFileTest, NoiseOutsideTheUsedFieldsIsAccepted)
{
    auto record = FilledRecord();
    // Unused sections with any bytes but inUse 1, names without a terminator, odd filters:
    // none of them can lead a reader astray, so they are no reason to refuse a measurement.
    std::memset(static_cast<void*>(&record->pipe[5]), 0xAB, sizeof(PipeSection));
    std::memset(record->title, 'x', sizeof(record->title));
    std::memset(record->materials[3].name, 'y', sizeof(record->materials[3].name));
    record->filters.lowCutoff = 1e30f;  // clamped to the spectrum when used
    record->filters.notches[4] = {900.0f, 100.0f};
    record->pairTotal = kMaxPairTotal;
    EXPECT_EQ(FindRecordDamage(*record), "");
    for (uint32_t code : {3u, 5u, 6u, 9u, 10u, 12u}) {
        record->pairCode = code;
        EXPECT_EQ(FindRecordDamage(*record), "") << code;
    }
}

TEST(KvdFileTest, MissingOrUnreadableFilesCannotBeOpened)
{
    DataFolder folder;
    auto target = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    EXPECT_EQ(ReadKvdFile(folder / "none.kvd", *target), KvdStatus::CannotOpen);
    EXPECT_EQ(ReadKvdFile(folder.Path(), *target), KvdStatus::CannotOpen);
}

}  // namespace
}  // namespace korvanta
