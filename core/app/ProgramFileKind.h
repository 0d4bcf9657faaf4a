#pragma once

#include <filesystem>

#include "core/fileio/FileProblem.h"

namespace korvanta {

// Which of the program's files a file is, by what it holds rather than by its name: a kv3 and a
// kvr file each begin with a magic number of their own, a kvd file with its version (11).
enum class ProgramFileKind {
    Measurement,         // kvd
    ThreeStationResult,  // kv3
    Regression,          // kvr
    Unknown,             // none of them, or the file cannot be read (`problem` says why)
};

ProgramFileKind IdentifyProgramFile(const std::filesystem::path& path, FileProblem* problem = nullptr);

}  // namespace korvanta
