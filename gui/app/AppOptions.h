#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvanta::gui {

// How the program was started. The command line gives ports and files; tests set the rest.
struct AppOptions {
    // --port NAME: offered in the port menu after the machine's serial ports (pseudo-terminals).
    std::vector<std::string> ports;
    // Measurement files to open.
    QStringList files;
    // The settings file; empty for the platform's store (registry, or Qt's file).
    QString settingsFile;
    // Where the comms thread's DebugFile.txt goes.
    std::filesystem::path logFolder = ".";
    // The folder with the default data files; empty for the program's own.
    std::filesystem::path dataFolder;
    bool startComms = true;
    // The machine's serial ports; empty for the port library's list.
    std::function<std::vector<std::string>()> listSerialPorts;
};

// Reads "korvanta [--port NAME]... [FILE.kvd]". False, with the reason in `error`, for an
// unknown option or a --port without its name.
bool ParseCommandLine(const QStringList& arguments, AppOptions& options, QString& error);

}  // namespace korvanta::gui
