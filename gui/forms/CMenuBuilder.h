#pragma once

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <functional>
#include <span>

#include "core/app/MainMenu.h"
#include <vector>

namespace korvanta::gui {

// Builds the main window's menu bar and toolbar from core's menu table: one QAction per command,
// named "action" + ID, with the Danish caption, its accelerators and (for toolbar commands) its
// icon; menu and toolbar share the action. Triggering an action calls `onCommand` with its ID.
class CMenuBuilder {
public:
    struct Result {
        QHash<uint32_t, QAction*> actions;
        std::vector<QMenu*> topLevelMenus;
        QMenu* portParent = nullptr;    // the popup whose first item is the port list
        QAction* portAnchor = nullptr;  // the action the port list stands before
        QMenu* recentParent = nullptr;
        QAction* recentAnchor = nullptr;  // the action the recent files stand before
    };

    // From the main menu's table, or from another table of the same form.
    static Result BuildMenu(QMenuBar* bar, QObject* owner, const std::function<void(uint32_t)>& onCommand,
                            std::span<const MenuEntry> table = MainMenu());
    static void BuildToolbar(QToolBar* toolbar, const QHash<uint32_t, QAction*>& actions);
    static QString ActionName(uint32_t id) { return QStringLiteral("action%1").arg(id); }
};

}  // namespace korvanta::gui
