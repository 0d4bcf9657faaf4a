#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "core/document/ThreeStationMeasurement.h"
#include "core/text/StringIds.h"
#include "core/threestation/Kv3File.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

// A three-station measurement whose records carry what a finished measurement leaves in them.
class Kv3FileTest : public testing::Test {
protected:
    Kv3FileTest()
    {
        for (auto& spectrum : spectra_) {
            spectrum.resize(2048);
        }
        three_ = std::make_unique<ThreeStationMeasurement>(spectra_[0], spectra_[1], spectra_[2]);
        three_->Setup({0, 1, 2}, 50.0f, 700.0f);
        three_->SetMeasuringTime("00:03:12");
        for (int i = 0; i < 3; ++i) {
            MeasurementRecord& record = three_->Record(i);
            record.pairTotal = 6 + static_cast<uint32_t>(i);
            record.accumulators[0].bins[10] = {1.5f + static_cast<float>(i), -2.0f};
        }
        const std::array<float, 3> distances = {120.0f, 180.0f, 300.0f};
        for (int i = 0; i < 3; ++i) {
            result_.SetPair(i, {i, 0.0f, distances[static_cast<size_t>(i)], i, 0.0f});
        }
        result_.SetDelays(-0.0188f, -0.1404f, -0.1592f);
        result_.Compute();
        result_.SetVelocityBounds(1089.0f, 1334.0f);
        result_.SetMeanVelocity(1204.5f);
    }

    std::vector<uint8_t> Image() const { return FormatKv3(*three_, result_); }

    std::array<std::vector<int32_t>, 3> spectra_;
    std::unique_ptr<ThreeStationMeasurement> three_;
    CThreeStationResult result_;
    test::TempFolder folder_;
};

TEST_F(Kv3FileTest, TheFileHoldsMagicRecordsAndResultAtTheirOffsets)
{
    const std::vector<uint8_t> image = Image();
    ASSERT_EQ(image.size(), 235880u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 4), (std::vector<uint8_t>{0xE3, 0xAB, 0x3B, 0x00}));
    const size_t recordStarts[3] = {4, 78592, 157180};
    const uint32_t codes[3] = {6, 12, 10};
    for (size_t i = 0; i < 3; ++i) {
        uint32_t code = 0;
        uint32_t range = 0;
        std::memcpy(&code, image.data() + recordStarts[i] + 592, 4);
        std::memcpy(&range, image.data() + recordStarts[i] + 588, 4);
        EXPECT_EQ(code, codes[i]);
        EXPECT_EQ(range, i);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data() + recordStarts[i] + 596), 8), "00:03:12");
    }
    const auto block = result_.ToBlock();
    EXPECT_TRUE(std::equal(block.begin(), block.end(), image.begin() + 235768));

    // Both ways of writing give the same image.
    EXPECT_EQ(FormatKv3(std::span<const MeasurementRecord, 3>(&three_->Record(0), 3), result_), image);
}

TEST_F(Kv3FileTest, SavingAndOpeningGivesBackRecordsAndResult)
{
    std::string error;
    const auto path = folder_ / "main.kv3";
    ASSERT_TRUE(WriteKv3File(path, *three_, result_, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(path), kKv3FileBytes);

    Kv3Contents contents;
    ASSERT_EQ(ReadKv3File(path, contents), Kv3Status::Ok);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(
            std::memcmp(&(*contents.records)[static_cast<size_t>(i)], &three_->Record(i), sizeof(MeasurementRecord)),
            0);
    }
    EXPECT_EQ(contents.result.ToBlock(), result_.ToBlock());

    // Into a fresh measurement: the records replace what was there.
    std::array<std::vector<int32_t>, 3> spectra;
    for (auto& spectrum : spectra) {
        spectrum.resize(2048);
    }
    ThreeStationMeasurement other(spectra[0], spectra[1], spectra[2]);
    RestoreKv3Records(contents, other);
    EXPECT_EQ(other.Record(2).pairTotal, 8u);
    EXPECT_EQ(other.Record(1).filters.highCutoff, 700.0f);
}

TEST_F(Kv3FileTest, DamagedFilesAreRefusedAndTheContentsStayAsTheyWere)
{
    const std::vector<uint8_t> good = Image();
    struct Case {
        const char* name;
        std::vector<uint8_t> image;
        Kv3Status status;
    };
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> image = good;
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
        return image;
    };
    const Case cases[] = {
        {"empty", {}, Kv3Status::NotKv3},
        {"three bytes", {0xE3, 0xAB, 0x3B}, Kv3Status::NotKv3},
        {"a kvd file", with(0, {0x0B, 0x00, 0x00, 0x00}), Kv3Status::NotKv3},
        {"magic only", {0xE3, 0xAB, 0x3B, 0x00}, Kv3Status::Short},
        {"records cut off", std::vector<uint8_t>(good.begin(), good.begin() + 100000), Kv3Status::Short},
        {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1), Kv3Status::Short},
        {"records out of order", with(4 + 592, {12, 0, 0, 0}), Kv3Status::Damaged},
        {"range of 9", with(78592 + 588, {9, 0, 0, 0}), Kv3Status::Damaged},
        {"a pipe section in use without a velocity", with(157180 + 328 + 16, {1}), Kv3Status::Damaged},
        {"result with segment 5", with(235768 + 69, {5, 0, 0, 0}), Kv3Status::Damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Kv3Contents contents;
        (*contents.records)[0].pairTotal = 4242;
        contents.result.SetMeanVelocity(777.0f);
        std::string damage;
        EXPECT_EQ(ParseKv3(c.image, contents, &damage), c.status);
        EXPECT_EQ(damage.empty(), c.status != Kv3Status::Damaged);
        EXPECT_EQ((*contents.records)[0].pairTotal, 4242u);
        EXPECT_EQ(contents.result.MeanVelocity(), 777.0f);
    }
    // Bytes after the result are not the file's business.
    std::vector<uint8_t> longer = good;
    longer.push_back(0x55);
    Kv3Contents contents;
    EXPECT_EQ(ParseKv3(longer, contents), Kv3Status::Ok);
}

TEST_F(Kv3FileTest, EachRefusalHasItsMessage)
{
    EXPECT_EQ(Kv3StatusMessage(Kv3Status::NotKv3), str::kFileNotValidated);
    EXPECT_EQ(Kv3StatusMessage(Kv3Status::CannotOpen), str::kFileNotOpened);
    EXPECT_EQ(Kv3StatusMessage(Kv3Status::Short), str::kFileOpenDamaged);
    EXPECT_EQ(Kv3StatusMessage(Kv3Status::Damaged), str::kFileOpenDamaged);

    // Whatever cannot be read as a plain file is refused at once, naming it; a named pipe
    // without a writer would otherwise wait for ever.
    const auto pipe = folder_ / "pipe.kv3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {folder_ / "missing.kv3", folder_.Path(), pipe}) {
        Kv3Contents contents;
        std::string why;
        EXPECT_EQ(ReadKv3File(path, contents, &why), Kv3Status::CannotOpen) << path;
        EXPECT_NE(why.find(path.string()), std::string::npos) << why;
    }
}

// The result block ends in three bytes that carry nothing; a file is written back with what it
// held there, so opening and saving never changes a byte of it.
TEST_F(Kv3FileTest, TheResultBlocksLastBytesAreWrittenBackAsRead)
{
    std::vector<uint8_t> image = Image();
    const uint8_t tail[3] = {0x62, 0x19, 0x62};
    std::copy(tail, tail + 3, image.end() - 3);
    Kv3Contents contents;
    ASSERT_EQ(ParseKv3(image, contents), Kv3Status::Ok);
    EXPECT_EQ(FormatKv3(*contents.records, contents.result), image);
}

TEST_F(Kv3FileTest, AFailedSaveLeavesTheOldFileWhole)
{
    std::string error;
    const auto path = folder_ / "kept.kv3";
    ASSERT_TRUE(WriteKv3File(path, *three_, result_, error));
    // A file cannot be written below a file: the save fails and the old one stays.
    EXPECT_FALSE(WriteKv3File(path / "below.kv3", *three_, result_, error));
    EXPECT_FALSE(error.empty());
    Kv3Contents contents;
    EXPECT_EQ(ReadKv3File(path, contents), Kv3Status::Ok);
}

}  // namespace
}  // namespace korvanta
