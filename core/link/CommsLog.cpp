#include "core/link/CommsLog.h"

namespace korvanta {

bool CommsLog::Open(const std::filesystem::path& folder)
{
    file_.open(folder / kFileName, std::ios::out | std::ios::trunc | std::ios::binary);
    return file_.is_open();
}

void CommsLog::WriteLine(std::string_view line)
{
    if (!file_.is_open()) {
        return;
    }
    file_ << line << '\n';
    file_.flush();
    if (!file_) {
        // A full disk or a vanished folder: stop logging rather than retrying every line.
        file_.close();
    }
}

void CommsLog::Close()
{
    if (file_.is_open()) {
        file_.close();
    }
}

}  // namespace korvanta
