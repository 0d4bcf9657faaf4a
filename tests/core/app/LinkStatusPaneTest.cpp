#include "core/app/LinkStatusPane.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace korvanta {
namespace {

using Steps = std::function<void(LinkStatusPane&)>;

void Measuring(LinkStatusPane& p, unsigned pairs)
{
    p.SetActivity(LinkActivity::Measuring);
    p.SetBlockPairs(pairs);
}

TEST(LinkStatusPane, SaysTheLinksStateInEveryCase)
{
    const std::string noLink = "Ingen forbindelse til modtageren – vælg Com Port";
    const std::string lost = "Forbindelsen til modtageren er tabt – vælg Com Port igen";
    const std::string stopped = "Kommunikationen er stoppet – vælg Com Port igen";
    // What happened before, whether the interface unit answers now, what the pane says.
    const std::vector<std::tuple<const char*, Steps, bool, std::string>> cases = {
        {"no port chosen", [](LinkStatusPane&) {}, false, noLink},
        {"idle", [](LinkStatusPane&) {}, true, "Klar"},
        {"starting", [](LinkStatusPane& p) { p.SetActivity(LinkActivity::Starting); }, true, "Starter måling…"},
        {"measuring", [](LinkStatusPane& p) { Measuring(p, 12); }, true, "Måler… 12 blokpar"},
        {"listening to blue",
         [](LinkStatusPane& p) {
             p.SetActivity(LinkActivity::Listening);
             p.SetListeningUnit(2);
         },
         true, "Der lyttes på blå sender"},
        {"lost while idle", [](LinkStatusPane& p) { p.Text(true); }, false, lost},
        {"lost while measuring",
         [](LinkStatusPane& p) {
             p.Text(true);
             Measuring(p, 3);
         },
         false, lost},
        {"communication stopped",
         [](LinkStatusPane& p) {
             p.Text(true);
             p.CommunicationStopped();
         },
         true, stopped},
        {"port chosen again",
         [](LinkStatusPane& p) {
             p.Text(true);
             p.CommunicationStopped();
             p.PortChosen();
         },
         false, noLink},
        {"a new measurement counts from 0",
         [](LinkStatusPane& p) {
             Measuring(p, 7);
             p.SetActivity(LinkActivity::Idle);
             p.SetActivity(LinkActivity::Measuring);
         },
         true, "Måler… 0 blokpar"},
    };
    for (const auto& [name, before, linkUp, expected] : cases) {
        LinkStatusPane pane;
        before(pane);
        EXPECT_EQ(pane.Text(linkUp), expected) << name;
    }
}

}  // namespace
}  // namespace korvanta
