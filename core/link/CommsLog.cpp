#include "core/link/CommsLog.h"

#include <cerrno>
#include <cstdio>
#include <string>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvanta {

CommsLog::~CommsLog()
{
    Close();
}

#if defined(_WIN32)

bool CommsLog::Open(const std::filesystem::path& folder)
{
    Close();
    std::error_code ec;
    const std::filesystem::path path = folder / kFileName;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)) &&
        !std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) {
        return false;
    }
    file_ = _wfopen(path.c_str(), L"wb");
    return file_ != nullptr;
}

bool CommsLog::IsOpen() const
{
    return file_ != nullptr;
}

void CommsLog::WriteLine(std::string_view line)
{
    if (!file_) {
        return;
    }
    const bool ok = std::fwrite(line.data(), 1, line.size(), file_) == line.size() && std::fputc('\n', file_) != EOF &&
                    std::fflush(file_) == 0;
    if (!ok) {
        Close();
    }
}

void CommsLog::Close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

#else

// O_NOFOLLOW refuses a link under the log's name and O_NONBLOCK keeps a named pipe from holding
// the thread; nothing is truncated before the open file is known to be the user's own.
bool CommsLog::Open(const std::filesystem::path& folder)
{
    Close();
    const std::filesystem::path path = folder / kFileName;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    const bool own = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
                     status.st_nlink == 1;
    if (!own || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    fd_ = fd;
    return true;
}

bool CommsLog::IsOpen() const
{
    return fd_ >= 0;
}

void CommsLog::WriteLine(std::string_view line)
{
    if (fd_ < 0) {
        return;
    }
    std::string text(line);
    text += '\n';
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // A full disk or a vanished folder: stop logging rather than retrying every line.
            Close();
            return;
        }
        done += static_cast<size_t>(n);
    }
}

void CommsLog::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

#endif

}  // namespace korvanta
