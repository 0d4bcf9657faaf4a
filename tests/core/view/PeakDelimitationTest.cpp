// Peak delimitation: the two presses, their order, removal and the two buttons' states.
#include <gtest/gtest.h>

#include "core/text/StringIds.h"
#include "core/view/PeakDelimitation.h"

namespace korvanta {
namespace {

TEST(PeakDelimitationTest, TwoPressesGiveTheStretchInColumnOrder)
{
    PeakDelimitation delimitation;
    EXPECT_EQ(delimitation.SetPointText(), str::kSetStartPoint);
    EXPECT_FALSE(delimitation.Press(400).has_value());
    EXPECT_TRUE(delimitation.Started());
    EXPECT_EQ(delimitation.PendingStart(), 400);
    EXPECT_EQ(delimitation.SetPointText(), str::kSetEndPoint);

    const auto stretch = delimitation.Press(350);  // end left of the start: swapped
    ASSERT_TRUE(stretch.has_value());
    EXPECT_EQ(stretch->start, 350);
    EXPECT_EQ(stretch->end, 400);
    EXPECT_TRUE(delimitation.IsSet());
    EXPECT_FALSE(delimitation.Started());
    EXPECT_FALSE(delimitation.PendingStart().has_value());
    EXPECT_EQ(delimitation.SetPointText(), str::kSetStartPoint);
}

TEST(PeakDelimitationTest, RemoveClearsAPendingPointEvenOnColumnZero)
{
    PeakDelimitation nothing;
    EXPECT_FALSE(nothing.Remove());

    PeakDelimitation pending;
    pending.Press(0);
    EXPECT_TRUE(pending.Remove());
    EXPECT_FALSE(pending.Started());

    PeakDelimitation set;
    set.Press(10);
    set.Press(20);
    EXPECT_TRUE(set.Remove());
    EXPECT_FALSE(set.IsSet());
    EXPECT_EQ(set.Current().start, 0);
    EXPECT_EQ(set.Current().end, 0);
    EXPECT_FALSE(set.Remove());
}

TEST(PeakDelimitationTest, ButtonStates)
{
    using Buttons = PeakDelimitation::ButtonStates;
    auto states = [](const PeakDelimitation& d, bool allowed) {
        const Buttons b = d.Buttons(allowed);
        return std::make_pair(b.setPoint, b.remove);
    };
    PeakDelimitation idle;
    EXPECT_EQ(states(idle, true), std::make_pair(true, false));
    EXPECT_EQ(states(idle, false), std::make_pair(false, false));
    PeakDelimitation started;
    started.Press(5);
    EXPECT_EQ(states(started, true), std::make_pair(true, true));
    EXPECT_EQ(states(started, false), std::make_pair(false, false));
    PeakDelimitation set = started;
    set.Press(9);
    EXPECT_EQ(states(set, true), std::make_pair(false, true));
    EXPECT_EQ(states(set, false), std::make_pair(false, false));
}

}  // namespace
}  // namespace korvanta
