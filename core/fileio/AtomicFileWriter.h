#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "core/fileio/FileProblem.h"

namespace korvanta {

// Where the bytes meant for `path` go: `path` itself when nothing or a regular file is there, the
// file a symbolic link names when it names a regular file. Anything else that exists there (a
// folder, a device, a named pipe, a link to nothing) is refused with the reason in `error`, so a
// save never replaces a device or a pipe with a plain file.
// `problem`, when given, gets the same reason as a kind.
bool ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target, std::string& error,
                        FileProblem* problem = nullptr);

// Checks, before long work whose result goes to `path`, that the file can be written there: the
// target resolves, a temporary file can be created beside it and the disk has room for
// `bytesNeeded` more. `error` names path and reason.
bool CheckFileWritable(const std::filesystem::path& path, std::string& error, uint64_t bytesNeeded = 0,
                       FileProblem* problem = nullptr);

// Writes `bytes` to a temporary file beside the target and renames it over the target only when
// every byte reached the disk, so a failed write never destroys the file that was there. The
// temporary file is created exclusively under a name of its own (never through a link planted
// beside the target) and removed on failure; a replaced file keeps its permissions and owner.
// `problem`, when given, gets the reason as a kind (disk full, a folder, no access...).
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes, std::string& error,
                         FileProblem* problem = nullptr);

// One of several files that belong together.
struct FileToWrite {
    std::filesystem::path path;
    std::span<const uint8_t> bytes;
};

// Writes files that belong together, all or none: every file goes to its temporary first, and
// only when all are complete are they renamed into place. When a later rename fails, the files
// already replaced get their old contents back (or are removed when they are new).
bool WriteFilesAtomically(std::span<const FileToWrite> files, std::string& error);

}  // namespace korvanta
