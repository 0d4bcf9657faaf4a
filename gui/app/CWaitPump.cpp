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
    }
}

}  // namespace korvanta::gui
