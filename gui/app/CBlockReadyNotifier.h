#pragma once

#include <QObject>

#include <functional>

#include "core/host/IBlockReadyNotifier.h"
#include "core/host/IMessageSink.h"
#include "gui/app/CWaitPump.h"

namespace korvanta::gui {

// The comms thread's notices, queued onto the thread of `receiver` (the main window): a stored
// data block goes to `onCommand` as its command ID, a message to `messages`. Posting never
// waits. A message that arrives during one of `waits`' blocking waits is shown once the wait has
// ended: its box must not open under the wait cursor with the wait still running. `receiver`,
// `messages` and `waits` must outlive the comms thread; notices still queued when the receiver
// is destroyed are dropped.
class CBlockReadyNotifier final : public IBlockReadyNotifier {
public:
    CBlockReadyNotifier(QObject* receiver, std::function<void(uint32_t)> onCommand, IMessageSink* messages,
                        CWaitPump* waits = nullptr)
        : receiver_(receiver), onCommand_(std::move(onCommand)), messages_(messages), waits_(waits)
    {
    }

    void PostBlockReady(uint32_t commandId) override
    {
        QMetaObject::invokeMethod(
            receiver_, [handler = onCommand_, commandId] { handler(commandId); }, Qt::QueuedConnection);
    }

    void PostShowMessage(uint32_t id, uint32_t style) override
    {
        QMetaObject::invokeMethod(
            receiver_,
            [messages = messages_, waits = waits_, id, style] {
                auto show = [messages, id, style] { messages->ShowMessage(id, style); };
                if (waits != nullptr) {
                    waits->RunAfterWait(show);
                } else {
                    show();
                }
            },
            Qt::QueuedConnection);
    }

private:
    QObject* receiver_;
    std::function<void(uint32_t)> onCommand_;
    IMessageSink* messages_;
    CWaitPump* waits_;
};

}  // namespace korvanta::gui
