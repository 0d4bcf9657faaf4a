#include "core/fileio/InputFile.h"

#include <cerrno>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvanta {

namespace fs = std::filesystem;

namespace {

std::string SystemError(int code)
{
    return std::generic_category().message(code);
}

#if !defined(_WIN32)
FileProblem ProblemOfMode(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return {FileProblem::Kind::Folder, 0};
    }
    if (S_ISFIFO(mode)) {
        return {FileProblem::Kind::NamedPipe, 0};
    }
    return {FileProblem::Kind::Device, 0};
}
#endif

}  // namespace

InputFile::InputFile(const fs::path& path, uint64_t maxBytes) : name_(path.string())
{
    if (!Open(path)) {
        return;
    }
    if (size_ > maxBytes) {
        error_ = name_ + ": " + std::to_string(size_) + " bytes is more than such a file can hold (at most " +
                 std::to_string(maxBytes) + ")";
        problem_ = {FileProblem::Kind::TooLarge, 0};
        std::fclose(file_);
        file_ = nullptr;
    }
}

InputFile::~InputFile()
{
    if (file_) {
        std::fclose(file_);
    }
}

#if defined(_WIN32)

bool InputFile::Open(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error_ = name_ + ": " + (ec ? ec.message() : std::string("not a regular file"));
        problem_ = ec ? FileProblemFromErrno(ec.value())
                      : FileProblem{fs::is_directory(path, ec) ? FileProblem::Kind::Folder : FileProblem::Kind::Device, 0};
        return false;
    }
    file_ = _wfopen(path.c_str(), L"rb");
    if (!file_) {
        problem_ = FileProblemFromErrno(errno);
        error_ = "cannot open " + name_ + ": " + SystemError(problem_.code);
        return false;
    }
    size_ = fs::file_size(path, ec);
    return true;
}

#else

// Opened without waiting (a named pipe would block until a writer comes) and checked on the
// open descriptor, so the file examined is the file read.
bool InputFile::Open(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem_ = FileProblemFromErrno(errno);
        error_ = "cannot open " + name_ + ": " + SystemError(problem_.code);
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error_ = name_ + ": not a regular file";
        problem_ = ProblemOfMode(status.st_mode);
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    file_ = ::fdopen(fd, "rb");
    if (!file_) {
        problem_ = FileProblemFromErrno(errno);
        error_ = "cannot open " + name_ + ": " + SystemError(problem_.code);
        ::close(fd);
        return false;
    }
    size_ = static_cast<uint64_t>(status.st_size);
    return true;
}

#endif

size_t InputFile::Read(std::span<uint8_t> into)
{
    if (!file_ || into.empty()) {
        return 0;
    }
    const size_t got = std::fread(into.data(), 1, into.size(), file_);
    if (got < into.size() && std::ferror(file_)) {
        problem_ = FileProblemFromErrno(errno);
        error_ = "cannot read " + name_ + ": " + SystemError(problem_.code);
    }
    return got;
}

}  // namespace korvanta
