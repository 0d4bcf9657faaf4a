#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "core/fileio/FileProblem.h"

namespace korvanta {

// A regular file opened for reading. Anything else (a folder, a device, a named pipe whose
// writer may never come) is refused before a byte is read, as is a file larger than the caller
// can use, so a reader never hangs and never allocates for what no such file can hold.
class InputFile {
public:
    InputFile(const std::filesystem::path& path, uint64_t maxBytes);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    uint64_t Size() const { return size_; }
    // Why the file could not be opened or read, naming it.
    const std::string& Error() const { return error_; }
    // The same reason as a kind the window tells the user in their language.
    const FileProblem& Problem() const { return problem_; }

    // Fills `into` as far as the file goes; returns the bytes read. Fewer than asked means the
    // end of the file or a read error (Error() is set then).
    size_t Read(std::span<uint8_t> into);

private:
    bool Open(const std::filesystem::path& path);

    std::string name_;
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    std::string error_;
    FileProblem problem_;
};

}  // namespace korvanta
