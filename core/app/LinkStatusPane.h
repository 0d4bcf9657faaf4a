#pragma once

#include <cstdint>
#include <string>

#include "core/values/LinkActivity.h"

namespace korvanta {

// The main window's status pane: one line that always says the link's state, so that a crew can
// tell why START is dead. The windows report what they do; the link's own state is read at each
// refresh. The rule, in order: no link yet, link lost, communication stopped, then what runs on a
// link that is up (starting, measuring with its block pairs, listening to a unit, ready).
class LinkStatusPane {
public:
    // A port was chosen from the menu: the link starts afresh, nothing was lost on it yet.
    void PortChosen();
    // Communication was stopped (old firmware, a unit that does not answer, a flat battery).
    void CommunicationStopped();
    void SetActivity(LinkActivity activity);
    void SetBlockPairs(unsigned pairs) { blockPairs_ = pairs; }
    void SetListeningUnit(int unit) { listeningUnit_ = unit; }

    // The text for a link that is up (the interface unit answers) or not.
    std::string Text(bool linkUp);

private:
    std::string ActivityText() const;

    bool everUp_ = false;
    bool stopped_ = false;
    LinkActivity activity_ = LinkActivity::Idle;
    unsigned blockPairs_ = 0;
    int listeningUnit_ = -1;
};

}  // namespace korvanta
