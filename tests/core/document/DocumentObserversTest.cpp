#include "core/document/DocumentObservers.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace korvanta {
namespace {

struct RecordingView final : IDocumentObserver {
    std::vector<uint32_t> hints;
    std::function<void()> onHint;
    void OnDocumentUpdate(uint32_t hint) override
    {
        hints.push_back(hint);
        if (onHint) {
            onHint();
        }
    }
};

// Views come and go while a hint is handed round (a form closes another, a dialog adds itself):
// each view is told each hint once, a view removed meanwhile is not told, one added meanwhile is
// told from the next hint on.
TEST(DocumentObserversTest, ViewsAddedOrRemovedWhileAHintIsHandedRound)
{
    DocumentObservers observers;
    RecordingView first, second, third;
    observers.Add(&first);
    observers.Add(&first);
    observers.Add(nullptr);
    observers.Add(&second);
    first.onHint = [&] {
        observers.Remove(&second);
        observers.Add(&third);
    };

    observers.Notify(100);
    first.onHint = nullptr;
    observers.Notify(101);

    EXPECT_EQ(first.hints, (std::vector<uint32_t>{100, 101}));
    EXPECT_TRUE(second.hints.empty());
    EXPECT_EQ(third.hints, (std::vector<uint32_t>{101}));
}

}  // namespace
}  // namespace korvanta
