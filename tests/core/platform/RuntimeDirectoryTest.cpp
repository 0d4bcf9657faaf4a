#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/platform/RuntimeDirectory.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

// Keeps the process's XDG_RUNTIME_DIR as it was around each case.
class RuntimeDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* value = std::getenv("XDG_RUNTIME_DIR")) {
            saved_ = value;
        }
    }
    void TearDown() override
    {
        if (saved_) {
            ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }
    static std::string Current()
    {
        const char* value = std::getenv("XDG_RUNTIME_DIR");
        return value ? value : "";
    }

    test::TempFolder base_;
    std::optional<std::string> saved_;
};

TEST_F(RuntimeDirectoryTest, WithoutOneAPrivateFolderIsMadeAndKeptForTheNextStart)
{
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path first = EnsureRuntimeDirectory(base_.Path());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.parent_path(), base_.Path());
    EXPECT_EQ(Current(), first.string());
    EXPECT_TRUE(IsPrivateRuntimeDirectory(first));

    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(EnsureRuntimeDirectory(base_.Path()), first);
}

TEST_F(RuntimeDirectoryTest, OnlyAPrivateFolderOfTheUsersOwnIsKept)
{
    const std::filesystem::path own = base_.Path() / "own";
    const std::filesystem::path open = base_.Path() / "open";
    std::filesystem::create_directory(own);
    std::filesystem::create_directory(open);
    ::chmod(own.c_str(), 0700);
    ::chmod(open.c_str(), 0755);

    ::setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
    EXPECT_EQ(EnsureRuntimeDirectory(base_.Path()), own);
    EXPECT_EQ(Current(), own.string());

    // A folder others can read, an empty value or a missing folder is replaced.
    for (const std::string& bad : {open.string(), std::string(), (base_.Path() / "gone").string()}) {
        ::setenv("XDG_RUNTIME_DIR", bad.c_str(), 1);
        const std::filesystem::path made = EnsureRuntimeDirectory(base_.Path());
        EXPECT_NE(made.string(), bad);
        EXPECT_TRUE(IsPrivateRuntimeDirectory(made)) << bad;
        EXPECT_EQ(Current(), made.string());
    }
}

TEST_F(RuntimeDirectoryTest, AFixedNameTakenByAFileGivesAFreshFolder)
{
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path taken = base_.Path() / ("korvanta-runtime-" + std::to_string(::geteuid()));
    std::ofstream(taken) << "not a folder";
    const std::filesystem::path made = EnsureRuntimeDirectory(base_.Path());
    ASSERT_FALSE(made.empty());
    EXPECT_NE(made, taken);
    EXPECT_TRUE(IsPrivateRuntimeDirectory(made));
    EXPECT_TRUE(std::filesystem::is_regular_file(taken));
}

}  // namespace
}  // namespace korvanta
