#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace korvanta {

// The comms thread's log, "DebugFile.txt": one line per command taken from the queue and per
// error or retry. It is rewritten at every start. A log that cannot be created or written is
// given up silently; it must never stop the thread.
//
// The log lives under a fixed name, often in a shared or current folder, so it is only ever
// written as a regular file of the user's own: a symbolic link planted under its name, a named
// pipe, a device, or a file someone else owns is left untouched and nothing is logged.
class CommsLog {
public:
    static constexpr const char* kFileName = "DebugFile.txt";

    CommsLog() = default;
    ~CommsLog();
    CommsLog(const CommsLog&) = delete;
    CommsLog& operator=(const CommsLog&) = delete;

    // Creates the log in `folder`, or empties the user's own log there; false when it cannot be
    // opened or is not the user's own regular file.
    bool Open(const std::filesystem::path& folder);
    bool IsOpen() const;
    void WriteLine(std::string_view line);
    void Close();

private:
#if defined(_WIN32)
    std::FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

}  // namespace korvanta
