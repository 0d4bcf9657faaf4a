#pragma once

#include <string>
#include <vector>

namespace korvanta::cli {

// Each command prints its result on stdout and returns the exit status; bad options throw
// UsageError (status 2), other failures print to stderr themselves.
int RunCorrelate(const std::vector<std::string>& args);
int RunLocate(const std::vector<std::string>& args);
int RunSimulate(const std::vector<std::string>& args);
// Exit status 1 when the port or the interface unit does not answer.
int RunProbe(const std::vector<std::string>& args);
int RunMeasure(const std::vector<std::string>& args);
int RunShow(const std::vector<std::string>& args);
// The three-station mode: a headless measurement into a kv3 file, and a kv3 file's result.
int RunMeasure3(const std::vector<std::string>& args);
int RunShow3(const std::vector<std::string>& args);
// Writes OUT.csv and OUT.bmp as the window's GIS export would, the cursor on the peak.
int RunExport(const std::vector<std::string>& args);
// A regression file's points and fit as JSON; status 2 for a file that cannot be used.
int RunRegress(const std::vector<std::string>& args);
// The printed page of a measurement as a PDF file, rendered without a display.
int RunPrint(const std::vector<std::string>& args);

}  // namespace korvanta::cli
