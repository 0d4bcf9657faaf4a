#include <gtest/gtest.h>

#include "core/link/CRadioLink.h"
#include "core/link/OrvelinkLibrary.h"
#include "core/link/SteadyClock.h"

namespace korvanta {
namespace {

// The real library behind the interface: a port that does not exist stays closed.
TEST(OrvelinkLibrary, PortThatDoesNotExistIsNotOpened)
{
    OrvelinkLibrary library;
    SteadyClock clock;
    CRadioLink link(library, clock);
    EXPECT_FALSE(link.Open("\\\\.\\/nonexistent/korvanta-port", 57600));
    EXPECT_EQ(link.GetLastError(), kLinkNotOpened);
    EXPECT_EQ(library.CommIsOpen(), 0);
    EXPECT_LT(library.GetMessageSize(), 0);
}

}  // namespace
}  // namespace korvanta
