#pragma once

#include "core/host/IMessageSink.h"

namespace korvanta {

// Passes messages on to the real sink and knows while one of them is open. A message box runs
// its own event loop, so the window's timers keep ticking under it; a tick that finds a box open
// must do nothing, or the boxes stack up one on another.
class ModalMessageGate final : public IMessageSink {
public:
    explicit ModalMessageGate(IMessageSink& sink) : sink_(sink) {}

    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override;
    MessageAnswer ShowText(uint32_t id, const std::string& text, uint32_t style) override;
    bool BoxOpen() const { return open_ > 0; }

private:
    IMessageSink& sink_;
    int open_ = 0;
};

}  // namespace korvanta
