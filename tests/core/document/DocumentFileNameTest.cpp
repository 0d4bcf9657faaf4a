#include <gtest/gtest.h>

#include <utility>

#include "core/document/DocumentFileName.h"

namespace korvanta {
namespace {

TEST(DocumentFileNameTest, NameAfterTheLastSeparatorUpToTheFirstDot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Målinger\\Vej 1.kvd", "Vej 1"},
        {"C:\\data\\a.b.kvd", "a"},
        {"C:\\data\\uden", "uden"},
        {"/home/user/a.b.kvd", "a"},
        {"/home/x.y/plain", "plain"},
        {"/home/user/.kvd", ""},
        {"a.kvd", ""},
        {"", ""},
        {"C:\\data\\", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(DocumentFileName(path), name) << path;
    }
}

}  // namespace
}  // namespace korvanta
