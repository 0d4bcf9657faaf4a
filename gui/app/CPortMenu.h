#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app/PortMenuList.h"

namespace korvanta::gui {

// The port popup of the settings menu: one checkable item per port ("action10", "action11",
// ...), at most one checked. With no port at all the place shows "COM-Port" grayed.
class CPortMenu {
public:
    CPortMenu(PortMenuList ports, QMenu* parent, QAction* before, QObject* owner,
              const std::function<void(uint32_t)>& onCommand);

    const PortMenuList& Ports() const { return ports_; }
    // Checks the item of `id` (unchecking the one checked before) and returns its port name;
    // nothing for an ID outside the list.
    std::optional<std::string> Choose(uint32_t id);
    std::optional<uint32_t> CheckedId() const { return checked_; }
    QMenu* Popup() const { return popup_; }

private:
    PortMenuList ports_;
    QMenu* popup_ = nullptr;
    std::vector<QAction*> items_;
    std::optional<uint32_t> checked_;
};

}  // namespace korvanta::gui
