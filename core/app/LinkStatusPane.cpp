#include "core/app/LinkStatusPane.h"

#include "core/diagnostics/ListeningSession.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

std::string TableText(uint32_t id)
{
    const char* text = LoadString(id);
    return text != nullptr ? text : "";
}

// The pattern's "%u" replaced by the number.
std::string WithNumber(uint32_t id, unsigned number)
{
    std::string text = TableText(id);
    if (const size_t at = text.find("%u"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

}  // namespace

void LinkStatusPane::PortChosen()
{
    everUp_ = false;
    stopped_ = false;
}

void LinkStatusPane::CommunicationStopped()
{
    stopped_ = true;
}

void LinkStatusPane::SetActivity(LinkActivity activity)
{
    activity_ = activity;
    if (activity != LinkActivity::Measuring) {
        blockPairs_ = 0;
    }
    if (activity != LinkActivity::Listening) {
        listeningUnit_ = -1;
    }
}

std::string LinkStatusPane::Text(bool linkUp)
{
    if (linkUp && !stopped_) {
        everUp_ = true;
        return ActivityText();
    }
    if (stopped_) {
        return TableText(str::kStatusCommStopped);
    }
    return TableText(everUp_ ? str::kStatusLinkLost : str::kStatusNoLink);
}

std::string LinkStatusPane::ActivityText() const
{
    switch (activity_) {
    case LinkActivity::Starting:
        return TableText(str::kStatusStarting);
    case LinkActivity::Measuring:
        return WithNumber(str::kStatusMeasuring, blockPairs_);
    case LinkActivity::Listening:
        if (listeningUnit_ >= 0) {
            return TableText(ListeningSession::ListeningMessage(listeningUnit_));
        }
        break;
    case LinkActivity::Idle:
        break;
    }
    return TableText(str::kReady);
}

}  // namespace korvanta
