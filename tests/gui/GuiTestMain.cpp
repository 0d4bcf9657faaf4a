#include <gtest/gtest.h>

#include "tests/gui/OffscreenApplication.h"

int main(int argc, char** argv)
{
    korvanta::test::OffscreenApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
