#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// Why a file could not be opened or written, as the user is told: what is at the name (a folder,
// a named pipe, a link that leads nowhere) or what the system answered (no access, disk full).
struct FileProblem {
    enum class Kind : uint8_t {
        None,
        NotFound,
        NoAccess,
        DiskFull,
        Folder,
        NamedPipe,
        Device,
        LinkLoop,
        DanglingLink,
        ReadOnlyDisk,
        TooLarge,
        NameTooLong,
        NoFolder,
        Other,  // `code` holds the system's error number
    };
    Kind kind = Kind::None;
    int code = 0;

    bool operator==(const FileProblem&) const = default;
};

// The kind of problem an errno value stands for.
FileProblem FileProblemFromErrno(int code);

// The reason in the user's language (a string-table text, the error number filled in).
std::string FileProblemText(const FileProblem& problem);

// "The file could not be opened/saved: <path>, <reason>" from a string-table pattern with two %s.
std::string FileFailureText(uint32_t patternId, const std::string& path, const std::string& reason);

}  // namespace korvanta
