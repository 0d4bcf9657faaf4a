#include "cli/CommandLine.h"
#include "cli/Commands.h"

namespace korvanta::cli {

int RunLocate(const std::vector<std::string>&)
{
    throw UsageError("locate is not available in this build yet");
}

int RunSimulate(const std::vector<std::string>&)
{
    throw UsageError("simulate is not available in this build yet");
}

}  // namespace korvanta::cli
