#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace korvanta {

// The comms thread's log, "DebugFile.txt": one line per command taken from the queue and per
// error or retry. It is rewritten at every start. A log that cannot be created or written is
// given up silently; it must never stop the thread.
class CommsLog {
public:
    static constexpr const char* kFileName = "DebugFile.txt";

    // Creates or truncates the log in `folder`; false when it cannot be opened.
    bool Open(const std::filesystem::path& folder);
    void WriteLine(std::string_view line);
    void Close();

private:
    std::ofstream file_;
};

}  // namespace korvanta
