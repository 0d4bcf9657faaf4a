#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "core/link/CommsLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

// The log's fixed name in a shared folder is a target: whatever stands there that is not the
// user's own plain file is left exactly as it was, and the log is simply not kept.
TEST(CommsLogTest, OnlyTheUsersOwnRegularFileIsEmptiedAndWritten)
{
    struct Case {
        const char* name;
        std::function<void(const fs::path& log, const fs::path& other)> prepare;
        bool opens;
    };
    const Case cases[] = {
        {"nothing there", [](const fs::path&, const fs::path&) {}, true},
        {"an old log of ours", [](const fs::path& log, const fs::path&) { std::ofstream(log) << "old\n"; }, true},
        {"a link to another file",
         [](const fs::path& log, const fs::path& other) { fs::create_symlink(other, log); }, false},
        {"a link to nothing",
         [](const fs::path& log, const fs::path& other) { fs::create_symlink(other.string() + ".none", log); }, false},
        {"a second name of another file",
         [](const fs::path& log, const fs::path& other) { fs::create_hard_link(other, log); }, false},
        {"a named pipe", [](const fs::path& log, const fs::path&) { ASSERT_EQ(mkfifo(log.c_str(), 0600), 0); },
         false},
        {"a folder", [](const fs::path& log, const fs::path&) { fs::create_directory(log); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const fs::path log = folder / CommsLog::kFileName;
        const fs::path other = folder / "precious.txt";
        std::ofstream(other) << "keep me\n";
        c.prepare(log, other);

        CommsLog comms;
        EXPECT_EQ(comms.Open(folder.Path()), c.opens);
        comms.WriteLine("OPEN_PORT");
        comms.Close();
        EXPECT_EQ(ReadAll(other), "keep me\n");
        if (c.opens) {
            EXPECT_EQ(ReadAll(log), "OPEN_PORT\n");
        }
    }
}

TEST(CommsLogTest, AnotherUsersFileIsLeftAlone)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "giving a file to another user needs root";
    }
    test::TempFolder folder;
    const fs::path log = folder / CommsLog::kFileName;
    std::ofstream(log) << "theirs\n";
    ASSERT_EQ(chown(log.c_str(), 65534, 65534), 0);
    CommsLog comms;
    EXPECT_FALSE(comms.Open(folder.Path()));
    comms.WriteLine("OPEN_PORT");
    EXPECT_EQ(ReadAll(log), "theirs\n");
}

}  // namespace
}  // namespace korvanta
