#pragma once

#include <QString>

#include "core/app/LinkStatusPane.h"

class QWidget;

namespace korvanta::gui {

class ICommandTarget;

// The main window as forms and feature commands see it: where their dialogs stand, which
// form it shows, and the few menu and status switches they work. The application's frame
// implements it; features never need the frame's own class.
class IFormFrame {
public:
    virtual ~IFormFrame() = default;

    // The window dialogs and file choosers stand on.
    virtual QWidget* Window() = 0;
    // Shows `form` in the middle (deleting the one before) and routes commands to `target`
    // first. Null clears the form.
    virtual void SetForm(QWidget* form, ICommandTarget* target) = 0;
    // Every menu on or off (off while a measurement runs).
    virtual void EnableAllMenus(bool on) = 0;
    virtual void EnableFiltersCommand(bool on) = 0;
    // The menu of the three-station form instead of the main menu, or back.
    virtual void SetThreeStationMenu(bool on) = 0;
    // The checks of the mode menu's two- and three-station entries.
    virtual void SetStationChecks(bool twoStations, bool threeStations) = 0;
    // The outstations' transmit power: 2 low, 3 high.
    virtual int GetRadioMode() const = 0;
    virtual void SetDocumentTitle(const QString& title) = 0;
    // What runs on the link, for the status pane.
    virtual void ShowLinkActivity(LinkActivity activity, unsigned blockPairs = 0) = 0;
    virtual void ShowListeningUnit(int unit) = 0;
};

}  // namespace korvanta::gui
