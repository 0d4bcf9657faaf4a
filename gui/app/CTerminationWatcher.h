#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace korvanta::gui {

// Turns SIGTERM into a Qt signal on the user-interface thread. The signal handler only writes
// one byte into a pipe (all a handler may safely do); a socket notifier on the other end emits
// Terminated() from the event loop, where the program can save and end in order. One watcher at
// a time; the previous handler comes back when it is destroyed.
class CTerminationWatcher final : public QObject {
    Q_OBJECT

public:
    explicit CTerminationWatcher(QObject* parent = nullptr);
    ~CTerminationWatcher() override;

    bool IsInstalled() const { return installed_; }

Q_SIGNALS:
    void Terminated();

private:
    void OnReadable();

    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool installed_ = false;
};

}  // namespace korvanta::gui
