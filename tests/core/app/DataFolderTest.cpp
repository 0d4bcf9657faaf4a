#include "core/app/DataFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(DataFolder, BuildTreeWorksBesideTheProgram)
{
    test::TempFolder folder;
    const fs::path bin = folder / "bin";
    Write(bin / "mlist.fd", "defaults");
    EXPECT_EQ(DataFolder::Resolve(bin, folder / "user"), bin);
    EXPECT_FALSE(fs::exists(folder / "user")) << "no user folder is made when none is needed";
}

TEST(DataFolder, InstalledProgramSeedsTheUsersFolderOnceAndKeepsTheirDatabase)
{
    test::TempFolder folder;
    const fs::path bin = folder / "usr" / "bin";
    fs::create_directories(bin);
    Write(folder / "usr" / "share" / "korvanta" / "mlist.fd", "defaults");
    Write(folder / "usr" / "share" / "korvanta" / "filters.fd", "filters");
    const fs::path user = folder / "home" / ".local" / "share" / "Veltmark" / "Korvanta";
    Write(user / "mlist.fd", "the user's own");

    EXPECT_EQ(DataFolder::Defaults(bin), folder / "usr" / "share" / "korvanta");
    EXPECT_EQ(DataFolder::Resolve(bin, user), user);
    EXPECT_EQ(test::ReadAll(user / "filters.fd"), "filters") << "missing defaults are copied";
    EXPECT_EQ(test::ReadAll(user / "mlist.fd"), "the user's own") << "a file the user has is never replaced";
}

TEST(DataFolder, ReadOnlyProgramFolderMovesToTheUsersFolder)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write anywhere";
    }
    test::TempFolder folder;
    const fs::path bin = folder / "opt";
    Write(bin / "mlist.fd", "defaults");
    fs::permissions(bin, fs::perms::owner_write, fs::perm_options::remove);
    const fs::path user = folder / "user";
    EXPECT_EQ(DataFolder::Resolve(bin, user), user);
    EXPECT_EQ(test::ReadAll(user / "mlist.fd"), "defaults");
    fs::permissions(bin, fs::perms::owner_write, fs::perm_options::add);
}

TEST(DataFolder, NoUserFolderFallsBackToTheDefaults)
{
    test::TempFolder folder;
    const fs::path bin = folder / "usr" / "bin";
    fs::create_directories(bin);
    Write(folder / "usr" / "share" / "korvanta" / "mlist.fd", "defaults");
    Write(folder / "blocked", "a file where the folder should go");
    EXPECT_EQ(DataFolder::Resolve(bin, folder / "blocked" / "Korvanta"), folder / "usr" / "share" / "korvanta");
    EXPECT_EQ(DataFolder::Resolve(bin, fs::path()), folder / "usr" / "share" / "korvanta");
}

}  // namespace
}  // namespace korvanta
