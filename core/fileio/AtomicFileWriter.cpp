#include "core/fileio/AtomicFileWriter.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace korvanta {

namespace fs = std::filesystem;

namespace {

// Leaves room for the random part and the ending within a file name's 255 bytes.
constexpr size_t kMaxTemporaryBaseBytes = 200;
constexpr int kCreateAttempts = 100;

std::string KindOf(fs::file_type type)
{
    switch (type) {
    case fs::file_type::not_found:
        return "nothing";
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::block:
    case fs::file_type::character:
        return "a device";
    case fs::file_type::fifo:
        return "a named pipe";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "not a regular file";
    }
}

FileProblem ProblemOf(fs::file_type type)
{
    switch (type) {
    case fs::file_type::not_found:
        return {FileProblem::Kind::DanglingLink, 0};
    case fs::file_type::directory:
        return {FileProblem::Kind::Folder, 0};
    case fs::file_type::fifo:
        return {FileProblem::Kind::NamedPipe, 0};
    default:
        return {FileProblem::Kind::Device, 0};
    }
}

fs::path FolderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// A name nobody else is likely to choose; the exclusive create below makes the final call.
fs::path TemporaryNameBeside(const fs::path& target)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[17] = {};
    std::to_chars(suffix, suffix + 16, random(), 16);
    const std::string base = target.filename().string().substr(0, kMaxTemporaryBaseBytes);
    return FolderOf(target) / (base + "." + suffix + ".tmp~");
}

std::string SystemError(int code)
{
    return std::generic_category().message(code);
}

#if defined(_WIN32)

// Creates a file that did not exist; "x" refuses an existing name, links included.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary)
{
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary = TemporaryNameBeside(target);
        if (std::FILE* file = _wfopen(temporary.c_str(), L"wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

bool WriteAndReplace(const fs::path& path, const fs::path& target, std::span<const uint8_t> bytes, std::string& error,
                     FileProblem& problem)
{
    fs::path temporary;
    std::FILE* file = CreateTemporary(target, temporary);
    if (!file) {
        problem = FileProblemFromErrno(errno);
        error = "cannot create a temporary file beside " + path.string() + ": " + SystemError(problem.code);
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    const int code = errno;
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (!written || !flushed || !closed) {
        fs::remove(temporary, ec);
        problem = FileProblemFromErrno(code);
        error = "cannot write " + path.string() + ": " + SystemError(code);
        return false;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        problem = FileProblemFromErrno(ec.value());
        error = "cannot replace " + path.string() + ": " + ec.message();
        return false;
    }
    return true;
}

// Without the means to undo a rename here, the files are written one after the other.
bool WriteAllThenReplace(std::span<const FileToWrite> files, std::span<const fs::path> targets, std::string& error)
{
    FileProblem problem;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!WriteAndReplace(files[i].path, targets[i], files[i].bytes, error, problem)) {
            return false;
        }
    }
    return true;
}

bool CheckFreeSpace(const fs::path& path, const fs::path& target, uint64_t bytesNeeded, std::string& error)
{
    std::error_code ec;
    const fs::space_info space = fs::space(FolderOf(target), ec);
    if (ec || space.available >= bytesNeeded) {
        return true;
    }
    error = "cannot write " + path.string() + ": the disk has room for " + std::to_string(space.available) +
            " bytes, the file needs " + std::to_string(bytesNeeded);
    return false;
}

bool ProbeFolder(const fs::path& target, std::string& reason)
{
    fs::path temporary;
    std::FILE* file = CreateTemporary(target, temporary);
    if (!file) {
        reason = SystemError(errno);
        return false;
    }
    std::fclose(file);
    std::error_code ec;
    fs::remove(temporary, ec);
    return true;
}

#else

// Opens a new file beside `target` that nobody else can have prepared: O_EXCL refuses any
// existing name, a planted link included, and O_NOFOLLOW says so twice.
int CreateTemporary(const fs::path& target, fs::path& temporary, mode_t mode)
{
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary = TemporaryNameBeside(target);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The replacement takes over the old file's owner and permissions; a new file gets the
// process's usual ones (the umask applies to 0666). On success `temporary` holds every byte.
bool WriteTemporary(const fs::path& path, const fs::path& target, std::span<const uint8_t> bytes, fs::path& temporary,
                    std::string& error, FileProblem& problem)
{
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    const int fd = CreateTemporary(target, temporary, replacing ? 0600 : 0666);
    if (fd < 0) {
        problem = FileProblemFromErrno(errno);
        error = "cannot create a temporary file beside " + path.string() + ": " + SystemError(problem.code);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (ok && replacing) {
        // Only the owner or root may give the file away; anyone else keeps it as their own.
        [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        problem = FileProblemFromErrno(code);
        error = "cannot write " + path.string() + ": " + SystemError(code);
        return false;
    }
    return true;
}

bool WriteAndReplace(const fs::path& path, const fs::path& target, std::span<const uint8_t> bytes, std::string& error,
                     FileProblem& problem)
{
    fs::path temporary;
    if (!WriteTemporary(path, target, bytes, temporary, error, problem)) {
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        problem = FileProblemFromErrno(code);
        error = "cannot replace " + path.string() + ": " + SystemError(code);
        return false;
    }
    return true;
}

// A second name for the file now at `target`, so that it can be put back; empty when there is
// no file there or the file system cannot give one (the replacement then cannot be undone).
fs::path KeepOldFile(const fs::path& target)
{
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) != 0) {
        return {};
    }
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const fs::path keep = TemporaryNameBeside(target);
        if (::link(target.c_str(), keep.c_str()) == 0) {
            return keep;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

struct Placed {
    fs::path target;
    fs::path kept;  // the old file's second name, empty when there was none
    bool existed = false;
};

bool ReplaceAll(std::span<const FileToWrite> files, std::span<const fs::path> targets,
                std::span<const fs::path> temporaries, std::string& error)
{
    std::vector<Placed> placed;
    bool ok = true;
    for (size_t i = 0; i < files.size(); ++i) {
        std::error_code ec;
        Placed step{targets[i], {}, fs::exists(fs::symlink_status(targets[i], ec))};
        if (step.existed) {
            step.kept = KeepOldFile(targets[i]);
        }
        if (::rename(temporaries[i].c_str(), targets[i].c_str()) != 0) {
            error = "cannot replace " + files[i].path.string() + ": " + SystemError(errno);
            if (!step.kept.empty()) {
                ::unlink(step.kept.c_str());
            }
            ok = false;
            for (size_t j = i; j < files.size(); ++j) {
                ::unlink(temporaries[j].c_str());
            }
            break;
        }
        placed.push_back(step);
    }
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        if (ok) {
            if (!it->kept.empty()) {
                ::unlink(it->kept.c_str());
            }
        } else if (!it->kept.empty()) {
            ::rename(it->kept.c_str(), it->target.c_str());
        } else if (!it->existed) {
            ::unlink(it->target.c_str());
        }
    }
    return ok;
}

bool WriteAllThenReplace(std::span<const FileToWrite> files, std::span<const fs::path> targets, std::string& error)
{
    std::vector<fs::path> temporaries;
    FileProblem problem;
    for (size_t i = 0; i < files.size(); ++i) {
        fs::path temporary;
        if (!WriteTemporary(files[i].path, targets[i], files[i].bytes, temporary, error, problem)) {
            for (const fs::path& written : temporaries) {
                ::unlink(written.c_str());
            }
            return false;
        }
        temporaries.push_back(temporary);
    }
    return ReplaceAll(files, targets, temporaries, error);
}

bool CheckFreeSpace(const fs::path& path, const fs::path& target, uint64_t bytesNeeded, std::string& error)
{
    struct statvfs space {};
    if (bytesNeeded == 0 || ::statvfs(FolderOf(target).c_str(), &space) != 0) {
        return true;  // a file system that cannot say is given the benefit of the doubt
    }
    const uint64_t available = static_cast<uint64_t>(space.f_bavail) * space.f_frsize;
    if (available < bytesNeeded) {
        error = "cannot write " + path.string() + ": the disk has room for " + std::to_string(available) +
                " bytes, the file needs " + std::to_string(bytesNeeded);
        return false;
    }
    return true;
}

bool ProbeFolder(const fs::path& target, std::string& reason)
{
    fs::path temporary;
    const int fd = CreateTemporary(target, temporary, 0600);
    if (fd < 0) {
        reason = SystemError(errno);
        return false;
    }
    ::close(fd);
    ::unlink(temporary.c_str());
    return true;
}

#endif

}  // namespace

bool ResolveWriteTarget(const fs::path& path, fs::path& target, std::string& error, FileProblem* problem)
{
    FileProblem ignored;
    FileProblem& why = problem != nullptr ? *problem : ignored;
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(path, ec);
    switch (own.type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
        target = path;
        break;
    case fs::file_type::symlink: {
        const fs::file_status named = fs::status(path, ec);
        if (named.type() != fs::file_type::regular) {
            why = ec && ec.value() == ELOOP ? FileProblem{FileProblem::Kind::LinkLoop, ELOOP} : ProblemOf(named.type());
            error = path.string() + " is a link to " + KindOf(named.type()) + ", not to a file that can be replaced";
            return false;
        }
        target = fs::canonical(path, ec);
        if (ec) {
            why = FileProblemFromErrno(ec.value());
            error = "cannot follow the link " + path.string() + ": " + ec.message();
            return false;
        }
        break;
    }
    case fs::file_type::none:
        why = FileProblemFromErrno(ec.value());
        error = "cannot examine " + path.string() + ": " + ec.message();
        return false;
    default:
        why = ProblemOf(own.type());
        error = path.string() + " is " + KindOf(own.type()) + ", not a file that can be replaced";
        return false;
    }
    const fs::path folder = FolderOf(target);
    if (!fs::is_directory(folder, ec)) {
        why = {FileProblem::Kind::NoFolder, 0};
        error = "cannot write " + path.string() + ": there is no folder " + folder.string();
        return false;
    }
    return true;
}

bool CheckFileWritable(const fs::path& path, std::string& error, uint64_t bytesNeeded, FileProblem* problem)
{
    fs::path target;
    if (!ResolveWriteTarget(path, target, error, problem)) {
        return false;
    }
    std::string reason;
    if (!ProbeFolder(target, reason)) {
        if (problem != nullptr) {
            *problem = FileProblemFromErrno(errno);
        }
        error = "cannot write " + path.string() + ": " + reason;
        return false;
    }
    return CheckFreeSpace(path, target, bytesNeeded, error);
}

bool WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes, std::string& error,
                         FileProblem* problem)
{
    FileProblem ignored;
    FileProblem& why = problem != nullptr ? *problem : ignored;
    fs::path target;
    return ResolveWriteTarget(path, target, error, &why) && WriteAndReplace(path, target, bytes, error, why);
}

}  // namespace korvanta

namespace korvanta {

bool WriteFilesAtomically(std::span<const FileToWrite> files, std::string& error)
{
    std::vector<fs::path> targets(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (!ResolveWriteTarget(files[i].path, targets[i], error)) {
            return false;
        }
    }
    return WriteAllThenReplace(files, targets, error);
}

}  // namespace korvanta
