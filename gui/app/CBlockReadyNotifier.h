#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

#include "core/link/IBlockReadyNotifier.h"

namespace korvanta::gui {

// The comms thread's "data block stored" notice, queued onto the thread of `receiver` (the main
// window) and handed there to `handler` as a command ID. Posting never waits. Notices still
// queued when the receiver is destroyed are dropped.
class CBlockReadyNotifier final : public IBlockReadyNotifier {
public:
    CBlockReadyNotifier(QObject* receiver, std::function<void(uint32_t)> handler)
        : receiver_(receiver), handler_(std::move(handler))
    {
    }

    void PostBlockReady(uint32_t commandId) override
    {
        QMetaObject::invokeMethod(
            receiver_, [handler = handler_, commandId] { handler(commandId); }, Qt::QueuedConnection);
    }

private:
    QObject* receiver_;
    std::function<void(uint32_t)> handler_;
};

}  // namespace korvanta::gui
