#include "gui/app/CTerminationWatcher.h"

#include <QSocketNotifier>

#if !defined(_WIN32)
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace korvanta::gui {

#if !defined(_WIN32)

namespace {

volatile sig_atomic_t g_writeFd = -1;
struct sigaction g_previous {};

extern "C" void OnTerminationSignal(int)
{
    const int savedErrno = errno;
    const int fd = g_writeFd;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

CTerminationWatcher::CTerminationWatcher(QObject* parent) : QObject(parent)
{
    if (g_writeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) {
        return;
    }
    // A handler that finds the pipe full must not block: one byte waiting is enough.
    ::fcntl(fds_[0], F_SETFL, ::fcntl(fds_[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(fds_[1], F_SETFL, ::fcntl(fds_[1], F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &CTerminationWatcher::OnReadable);
    g_writeFd = fds_[1];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    installed_ = ::sigaction(SIGTERM, &action, &g_previous) == 0;
}

CTerminationWatcher::~CTerminationWatcher()
{
    if (installed_) {
        ::sigaction(SIGTERM, &g_previous, nullptr);
        g_writeFd = -1;
    }
    notifier_.reset();
    for (int& fd : fds_) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void CTerminationWatcher::OnReadable()
{
    char buffer[16];
    while (::read(fds_[0], buffer, sizeof(buffer)) > 0) {
    }
    Q_EMIT Terminated();
}

#else

CTerminationWatcher::CTerminationWatcher(QObject* parent) : QObject(parent) {}
CTerminationWatcher::~CTerminationWatcher() = default;
void CTerminationWatcher::OnReadable() {}

#endif

}  // namespace korvanta::gui
