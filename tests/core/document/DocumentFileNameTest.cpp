#include <gtest/gtest.h>

#include "core/document/DocumentFileName.h"

namespace korvanta {
namespace {

TEST(DocumentFileNameTest, NameAfterTheLastSeparatorUpToTheFirstDot)
{
    EXPECT_EQ(DocumentFileName("C:\\Målinger\\Vej 1.kvd"), "Vej 1");
    EXPECT_EQ(DocumentFileName("C:\\data\\a.b.kvd"), "a");
    EXPECT_EQ(DocumentFileName("C:\\data\\uden"), "uden");
    EXPECT_EQ(DocumentFileName("/home/user/a.b.kvd"), "a");
    EXPECT_EQ(DocumentFileName("/home/x.y/plain"), "plain");
    EXPECT_EQ(DocumentFileName("/home/user/.kvd"), "");
    EXPECT_EQ(DocumentFileName("a.kvd"), "");
    EXPECT_EQ(DocumentFileName(""), "");
    EXPECT_EQ(DocumentFileName("C:\\data\\"), "");
}

}  // namespace
}  // namespace korvanta
