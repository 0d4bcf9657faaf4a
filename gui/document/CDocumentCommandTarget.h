#pragma once

#include <cstdint>

#include "core/commands/DocumentCommands.h"
#include "gui/forms/ICommandTarget.h"

namespace korvanta::gui {

// The menu and toolbar commands of the document that open the dialogs describing a measurement.
class CDocumentCommandTarget final : public ICommandTarget {
public:
    explicit CDocumentCommandTarget(DocumentCommands& commands) : commands_(commands) {}

    bool OnCommand(uint32_t id) override;

private:
    DocumentCommands& commands_;
};

}  // namespace korvanta::gui
