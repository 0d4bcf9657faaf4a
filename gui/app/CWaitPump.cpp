#include "gui/app/CWaitPump.h"

#include <QApplication>
#include <QEventLoop>

namespace korvanta::gui {

void CWaitPump::BeginWait()
{
    if (depth_++ == 0) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CWaitPump::Pump()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CWaitPump::EndWait()
{
    if (depth_ > 0 && --depth_ == 0) {
        QApplication::restoreOverrideCursor();
        // The held actions run from the event loop, once whoever waited has finished: should a
        // new wait have begun by then, they are held again.
        std::vector<std::function<void()>> held;
        held.swap(afterWait_);
        for (std::function<void()>& action : held) {
            QMetaObject::invokeMethod(
                &context_, [this, action = std::move(action)]() mutable { RunAfterWait(std::move(action)); },
                Qt::QueuedConnection);
        }
    }
}

void CWaitPump::RunAfterWait(std::function<void()> action)
{
    if (depth_ > 0) {
        afterWait_.push_back(std::move(action));
    } else {
        action();
    }
}

}  // namespace korvanta::gui
