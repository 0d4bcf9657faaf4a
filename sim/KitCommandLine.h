#pragma once

#include <string>
#include <vector>

#include "sim/KitOptions.h"

namespace korvanta::sim {

// What the simulator was asked for on its command line.
struct KitCommandLine {
    std::string linkPath;      // where the terminal's path is published as a symbolic link
    std::string scenarioPath;  // --scenario: the kit starts from this file, other options on top
    KitOptions options;
    bool help = false;
    std::vector<std::string> warnings;  // recordings read despite damage
};

// The simulator's options, one line each, for --help and for usage errors.
std::string KitUsage();

// Parses the arguments after the program name. False with the reason in `error` for an unknown
// option, a missing or bad value, or options the kit cannot run with; --help alone needs no link.
// --scenario FILE is read first wherever it stands; the options of the simple one-velocity model
// are refused with it, since the file describes the pipe.
bool ParseKitCommandLine(const std::vector<std::string>& args, KitCommandLine& result, std::string& error);

// A unit named "interface", "red", "blue" or "yellow", or its number 0..3; -1 for anything else.
int ParseUnitName(const std::string& text);

}  // namespace korvanta::sim
