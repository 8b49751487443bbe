#pragma once

#include "CivilTime.h"
#include "CliArgs.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class Pause;
class UsbLibrary;

// Exit codes of termix-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadArguments = 2;

// What the commands need from outside, so tests can stand in for each of them.
struct CliStreams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false; // progress is shown only on a terminal
};

// Reads the logger and writes its run to the recording file.
int RunDownload(const DownloadCommand& cmd, UsbLibrary& usb, Pause& pause, CliStreams& io);

// Builds the block from the remembered setup and the options, validates it, sends it, and
// remembers the values in settingsFile once the logger has taken it.
int RunConfigure(const ConfigureCommand& cmd, UsbLibrary& usb, Pause& pause, const Clock& clock,
                 const std::filesystem::path& settingsFile, CliStreams& io);

// Opens a recording as the program does and describes it.
int RunInfo(const InfoCommand& cmd, CliStreams& io);

struct CliEnvironment {
    CliStreams io;
    // Made only for commands that talk to a logger; null means no USB library at all.
    std::function<std::unique_ptr<UsbLibrary>()> makeUsb;
    const Clock& clock;
    Pause& pause;
    std::filesystem::path settingsFile;
};

// The whole program: parse, run, exit code.
int RunCli(const std::vector<std::string>& args, CliEnvironment& env);

// Texts of the command line's own (the program's dialogs have none for these cases).
inline constexpr const char* kDownloadNoConnectionText =
    "Подключение невозможно. Убедитесь, что логгер подключен к ПК и повторите снова .";
inline constexpr const char* kDownloadReadFailedText =
    "Считывание данных из логгера не выполнено..";
