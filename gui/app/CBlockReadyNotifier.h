#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

#include "core/link/IBlockReadyNotifier.h"

namespace korvanta::gui {

// The comms thread's notices, queued onto the thread of `receiver` (the main window): "data block
// stored" is handed there to `handler` as a command ID, a message to `showMessage`. Posting never
// waits. Notices still queued when the receiver is destroyed are dropped.
class CBlockReadyNotifier final : public IBlockReadyNotifier {
public:
    CBlockReadyNotifier(QObject* receiver, std::function<void(uint32_t)> handler,
                        std::function<void(uint32_t, uint32_t)> showMessage = {})
        : receiver_(receiver), handler_(std::move(handler)), showMessage_(std::move(showMessage))
    {
    }

    void PostBlockReady(uint32_t commandId) override
    {
        QMetaObject::invokeMethod(
            receiver_, [handler = handler_, commandId] { handler(commandId); }, Qt::QueuedConnection);
    }

    void PostShowMessage(uint32_t id, uint32_t style) override
    {
        if (!showMessage_) {
            return;
        }
        QMetaObject::invokeMethod(
            receiver_, [show = showMessage_, id, style] { show(id, style); }, Qt::QueuedConnection);
    }

private:
    QObject* receiver_;
    std::function<void(uint32_t)> handler_;
    std::function<void(uint32_t, uint32_t)> showMessage_;
};

}  // namespace korvanta::gui
