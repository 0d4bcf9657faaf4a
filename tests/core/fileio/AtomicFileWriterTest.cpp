#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/fileio/AtomicFileWriter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<uint8_t> kBytes(5000, 0x5A);

TEST(AtomicFileWriterTest, LinksPlantedAtTemporaryNamesAreNeverWrittenThrough)
{
    test::TempFolder folder;
    const fs::path victim = folder / "victim";
    WriteText(victim, "twelve bytes");
    for (const char* planted : {"out.bin.tmp~", "out.bin.tmp", "out.tmp~"}) {
        fs::create_symlink(victim, folder / planted);
    }
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder / "out.bin", kBytes, error)) << error;
    EXPECT_EQ(ReadAll(victim), "twelve bytes");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "out.bin")));
    EXPECT_EQ(fs::file_size(folder / "out.bin"), kBytes.size());
    // Only what was there and the target: the temporary file is gone.
    EXPECT_EQ(Names(folder.Path()),
              (std::vector<std::string>{"out.bin", "out.bin.tmp", "out.bin.tmp~", "out.tmp~", "victim"}));
}

TEST(AtomicFileWriterTest, AReplacedFileKeepsItsPermissions)
{
    test::TempFolder folder;
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        const fs::path path = folder / "kept.kvd";
        WriteText(path, "old");
        fs::permissions(path, mode);
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, kBytes, error)) << error;
        EXPECT_EQ(fs::status(path).permissions(), mode) << static_cast<int>(mode);
        EXPECT_EQ(fs::file_size(path), kBytes.size());
    }
}

TEST(AtomicFileWriterTest, ALinkToAFileHasItsTargetReplaced)
{
    test::TempFolder folder;
    fs::create_directory(folder / "real");
    WriteText(folder / "real" / "data.bin", "old");
    fs::create_symlink(folder / "real" / "data.bin", folder / "link.bin");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder / "link.bin", kBytes, error)) << error;
    EXPECT_TRUE(fs::is_symlink(folder / "link.bin"));
    EXPECT_EQ(fs::file_size(folder / "real" / "data.bin"), kBytes.size());
    EXPECT_EQ(Names(folder / "real"), std::vector<std::string>{"data.bin"});
}

// What is not a regular file (or a link to one) is never replaced by a plain file.
TEST(AtomicFileWriterTest, FoldersDevicesPipesAndLinksToNothingAreRefusedByName)
{
    test::TempFolder folder;
    fs::create_directory(folder / "folder");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
    fs::create_symlink(folder / "missing", folder / "dangling");
    fs::create_symlink(folder / "folder", folder / "to-folder");
    struct Case {
        fs::path path;
        const char* reason;
    };
    for (const Case& c :
         {Case{folder / "folder", "a folder"}, Case{folder / "pipe", "a named pipe"}, Case{"/dev/null", "a device"},
          Case{folder / "dangling", "a link to nothing"}, Case{folder / "to-folder", "a link to a folder"},
          Case{folder / "no" / "x.kvd", "no folder"}}) {
        const fs::file_type before = fs::symlink_status(c.path).type();
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(c.path, kBytes, error)) << c.path;
        EXPECT_NE(error.find(c.path.string()), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(fs::symlink_status(c.path).type(), before) << c.path;
        error.clear();
        EXPECT_FALSE(CheckFileWritable(c.path, error)) << c.path;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_FALSE(fs::exists(folder / "missing"));
    EXPECT_EQ(Names(folder / "folder"), std::vector<std::string>{});
}

TEST(AtomicFileWriterTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    test::TempFolder folder;
    const fs::path path = folder / "keep.bin";
    WriteText(path, "the good file");
    std::string error;
    {
        const test::FileSizeLimit full(1000);
        EXPECT_FALSE(WriteFileAtomically(path, kBytes, error));
        // The place itself is writable: only the disk is full.
        std::string probe;
        EXPECT_TRUE(CheckFileWritable(path, probe)) << probe;
    }
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), "the good file");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"keep.bin"});

    // Before a long run the disk's room for the file is asked too.
    std::string probe;
    EXPECT_TRUE(CheckFileWritable(path, probe, 78590)) << probe;
    EXPECT_FALSE(CheckFileWritable(path, probe, uint64_t{1} << 62));
    EXPECT_NE(probe.find("room"), std::string::npos) << probe;
}

}  // namespace
}  // namespace korvanta
