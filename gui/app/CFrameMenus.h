#pragma once

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korvanta::gui {

// The frame's menu bar: the main menu from core's table, the three-station form's own "&Filer"
// (made the first time it is asked for) and the recent-file entries. Every item is an action
// named "action" + ID that reports its ID to `onCommand`; opening a popup calls `aboutToShow`.
class CFrameMenus {
public:
    CFrameMenus(QMenuBar& bar, QObject* owner, std::function<void(uint32_t)> onCommand,
                std::function<void()> aboutToShow);

    const QHash<uint32_t, QAction*>& Actions() const { return actions_; }
    // Where the port list stands.
    QMenu* PortParent() const { return portParent_; }
    QAction* PortAnchor() const { return portAnchor_; }

    // The three-station form's "&Filer" and the main "&Mode" only, or the main menu back.
    void ShowThreeStationMenu(bool on);
    bool IsThreeStationMenu() const;
    // Every popup of the bar on or off.
    void EnableTopLevel(bool on);
    // The recent-file entries, newest first ("action57616" onwards).
    void SetRecentFiles(const std::vector<std::string>& paths);

private:
    QMenuBar& bar_;
    QObject* owner_;
    std::function<void(uint32_t)> onCommand_;
    std::function<void()> aboutToShow_;
    QHash<uint32_t, QAction*> actions_;
    std::vector<QMenu*> topLevelMenus_;
    QMenu* portParent_ = nullptr;
    QAction* portAnchor_ = nullptr;
    QMenu* recentParent_ = nullptr;
    QAction* recentAnchor_ = nullptr;
    std::vector<QAction*> recentActions_;
    QMenu* threeStationFile_ = nullptr;
};

}  // namespace korvanta::gui
