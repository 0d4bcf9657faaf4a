#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/correlation/DataBlockFile.h"
#include "core/fileio/InputFile.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

// A named pipe without a writer, a folder and an endless device are refused at once, naming the
// file; none of them hangs or fills the memory.
TEST(InputFileTest, OnlyRegularFilesWithinTheLimitOpen)
{
    test::TempFolder folder;
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    std::ofstream(folder / "ten", std::ios::binary) << "0123456789";
    struct Case {
        fs::path path;
        uint64_t maxBytes;
        const char* reason;
    };
    for (const Case& c :
         {Case{folder / "pipe", 100, "not a regular file"}, Case{folder / "folder", 100, "not a regular file"},
          Case{"/dev/zero", 100, "not a regular file"}, Case{folder / "missing", 100, "cannot open"},
          Case{folder / "ten", 9, "more than such a file can hold"}}) {
        const InputFile file(c.path, c.maxBytes);
        EXPECT_FALSE(file.IsOpen()) << c.path;
        EXPECT_NE(file.Error().find(c.path.string()), std::string::npos) << file.Error();
        EXPECT_NE(file.Error().find(c.reason), std::string::npos) << file.Error();
    }

    InputFile ten(folder / "ten", 10);
    ASSERT_TRUE(ten.IsOpen()) << ten.Error();
    EXPECT_EQ(ten.Size(), 10u);
    std::array<uint8_t, 16> bytes{};
    EXPECT_EQ(ten.Read(bytes), 10u);
    EXPECT_EQ(bytes[9], '9');
    EXPECT_TRUE(ten.Error().empty());
}

TEST(InputFileTest, ABlockFileLargerThanAMeasurementIsRefusedUnread)
{
    test::TempFolder folder;
    const fs::path path = folder / "huge.bin";
    std::ofstream(path, std::ios::binary).close();
    // Sparse: costs no disk.
    fs::resize_file(path, (kMaxBlocksInFile + 1) * kDataBlockRecordBytes);
    int taken = 0;
    std::string error;
    EXPECT_FALSE(StreamDataBlockFile(
        path, [&taken](const DataBlockRecord&) { ++taken; }, error));
    EXPECT_EQ(taken, 0);
    EXPECT_NE(error.find("huge.bin"), std::string::npos) << error;

    fs::resize_file(path, 3 * kDataBlockRecordBytes);
    EXPECT_TRUE(StreamDataBlockFile(
        path, [&taken](const DataBlockRecord&) { ++taken; }, error))
        << error;
    EXPECT_EQ(taken, 3);
}

}  // namespace
}  // namespace korvanta
