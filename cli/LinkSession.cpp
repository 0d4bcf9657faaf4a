#include "cli/LinkSession.h"

#include <iostream>

namespace korvanta::cli {

namespace {

constexpr int64_t kOpenTimeoutMs = 30000;

}  // namespace

LinkSession::LinkSession(CLinkState& link, IClock& clock, const std::optional<std::filesystem::path>& logFolder)
    : logFolder_(logFolder), headless_(link, library_, clock, &notices_, logFolder_.Path())
{
}

bool LinkSession::Open(const std::string& port, const char* command)
{
    const HeadlessLink::OpenResult opened = headless_.Open(port, kOpenTimeoutMs, Interrupted);
    if (opened != HeadlessLink::OpenResult::Ok) {
        std::cerr << "korvanta-cli " << command << ": " << port << ": " << HeadlessLink::Describe(opened) << "\n";
        return false;
    }
    return true;
}

bool LinkSession::Interrupted()
{
    return InterruptSignal::Received() != 0;
}

int LinkSession::EarlyEndStatus()
{
    return Interrupted() ? InterruptSignal::ExitStatus(InterruptSignal::Received()) : 1;
}

}  // namespace korvanta::cli
