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
// target resolves and a temporary file can be created beside it. `error` names path and reason.
bool CheckFileWritable(const std::filesystem::path& path, std::string& error, FileProblem* problem = nullptr);

// Writes `bytes` to a temporary file beside the target and renames it over the target only when
// every byte reached the disk, so a failed write never destroys the file that was there. The
// temporary file is created exclusively under a name of its own (never through a link planted
// beside the target) and removed on failure; a replaced file keeps its permissions and owner.
// `problem`, when given, gets the reason as a kind (disk full, a folder, no access...).
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes, std::string& error,
                         FileProblem* problem = nullptr);

}  // namespace korvanta
