#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/platform/FolderAccess.h"
#include "core/platform/PlatformTime.h"
#include "core/platform/ProgramFolder.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

TEST(PlatformTest, TheProgramFolderHoldsTheRunningProgram)
{
    const std::filesystem::path folder = ProgramFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(std::filesystem::exists(folder / "korvanta-core-tests"));
}

TEST(PlatformTest, LocalTimeFollowsTheTimeZone)
{
    const char* previous = std::getenv("TZ");
    const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
    const auto restore = [&] {
        if (saved) {
            setenv("TZ", saved->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    };
    const std::time_t when = 366 * 86400 + 5 * 3600 + 7 * 60;  // 2 January 1971, 05:07 UTC
    const struct {
        const char* zone;
        int hour;
    } cases[] = {{"UTC0", 5}, {"CET-1", 6}, {"EST5", 0}};
    for (const auto& c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        const std::tm local = LocalTimeOf(when);
        EXPECT_EQ(local.tm_year, 71) << c.zone;
        EXPECT_EQ(local.tm_mon, 0) << c.zone;
        EXPECT_EQ(local.tm_mday, 2) << c.zone;
        EXPECT_EQ(local.tm_hour, c.hour) << c.zone;
        EXPECT_EQ(local.tm_min, 7) << c.zone;
    }
    restore();
}

TEST(PlatformTest, OnlyAFolderThatTakesNewFilesIsWritable)
{
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "locked");
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::ofstream(folder / "plain.txt") << "a file, not a folder";
    const bool root = ::geteuid() == 0;
    const struct {
        const char* name;
        bool writable;
    } cases[] = {{"", true}, {"missing", false}, {"plain.txt", false}, {"locked", root}};
    for (const auto& c : cases) {
        EXPECT_EQ(CanWriteInFolder(folder / c.name), c.writable) << c.name;
    }
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

}  // namespace
}  // namespace korvanta
