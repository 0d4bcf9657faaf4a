#pragma once

#include <QString>

#include "core/app/LinkStatusPane.h"
#include "core/link/CLinkState.h"

class QLabel;
class QStatusBar;

namespace korvanta::gui {

// The frame's status bar: the link's state in the pane, covered for a while by passing notes and
// menu prompts, and the lock-key indicators on the right.
class CFrameStatusBar {
public:
    // `link` may be null (no link: the pane says so).
    CFrameStatusBar(QStatusBar& bar, const CLinkState* link);

    // A passing note; the link's state comes back after it.
    void ShowNote(const QString& text);
    // Leaving a menu item without a prompt brings the link's state back.
    void ClearNote();
    // What the bar shows: a passing note while there is one, else the link's state.
    QString Text() const;

    // What runs on the link.
    void ShowLinkActivity(LinkActivity activity, unsigned blockPairs);
    void ShowListeningUnit(int unit);
    void CommunicationStopped();
    void PortChosen();
    // Puts the link's state in the pane when it changed.
    void Refresh();

private:
    QStatusBar& bar_;
    const CLinkState* link_;
    QLabel* linkLabel_ = nullptr;
    LinkStatusPane pane_;
};

}  // namespace korvanta::gui
