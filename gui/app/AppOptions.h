#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/threestation/ThreeStationSetup.h"

namespace korvanta::gui {

// How the program was started. The command line gives ports and files; tests set the rest.
struct AppOptions {
    // --port NAME: offered in the port menu after the machine's serial ports (pseudo-terminals).
    std::vector<std::string> ports;
    // Files to open: measurements (kvd), three-station results (kv3) and regression files (kvr),
    // told apart by what they hold.
    QStringList files;
    // The settings file; empty for the platform's store (registry, or Qt's file).
    QString settingsFile;
    // Where the comms thread's DebugFile.txt goes.
    std::filesystem::path logFolder = ".";
    // The folder with the default data files; empty for the program's own.
    std::filesystem::path dataFolder;
    bool startComms = true;
    // The three-station setup wizard and its kv3 file dialogs; empty for the real ones (tests
    // answer in their place).
    std::function<std::optional<ThreeStationSetup>()> runThreeStationSetup;
    std::function<QString(bool save)> askThreeStationFile;
    // The measurement (kvd) file dialogs; empty for the real ones. An empty answer cancels.
    std::function<QString(bool save)> askMeasurementFile;
    // Where a measurement left unsaved when the program is told to end (SIGTERM) is kept until
    // the next start offers it; empty for the user's data folder.
    std::filesystem::path recoveryFolder;
    // The machine's serial ports; empty for the port library's list.
    std::function<std::vector<std::string>()> listSerialPorts;
};

// Reads "korvanta [--port NAME]... [FILE.kvd]". False, with the reason in `error`, for an
// unknown option or a --port without its name.
bool ParseCommandLine(const QStringList& arguments, AppOptions& options, QString& error);

}  // namespace korvanta::gui
