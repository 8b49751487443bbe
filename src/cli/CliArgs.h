#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

struct HelpCommand {};

struct DownloadCommand {
    std::string output;
};

// Every field that is absent keeps the remembered setup value.
struct ConfigureCommand {
    std::string name;
    std::optional<int> sampleRate;  // index into PeriodTable
    std::optional<int> samplePoint; // index into PointsTable
    std::optional<int> startMode;   // 0 by the button, 1 at once
    std::optional<int> tempUnit;    // 0 °C, 1 °F
    std::optional<std::string> tempLow;
    std::optional<std::string> tempHigh;
    std::optional<bool> ledAlarm;
    std::optional<int> flashCycle; // 0, 1, 2
};

struct InfoCommand {
    std::string path;
    bool json = false;
};

using CliCommand = std::variant<HelpCommand, DownloadCommand, ConfigureCommand, InfoCommand>;

struct ParsedArgs {
    std::optional<CliCommand> command;
    std::string error; // names the argument that was refused; set when command is empty
};

// The arguments after the program's name. "--opt=value" is the same as "--opt value".
ParsedArgs ParseCliArgs(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();
