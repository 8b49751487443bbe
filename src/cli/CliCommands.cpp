#include "CliCommands.h"

#include "ConsoleUi.h"
#include "DataLoggerDoc.h"
#include "IniFile.h"
#include "LoggerLink.h"
#include "RecordingFile.h"
#include "RecordingInfo.h"
#include "SetupPersistence.h"
#include "SetupRules.h"
#include "UsbLibrary.h"

#include <cstdio>

namespace {

std::string StampText(const CivilDateTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return buf;
}

// A status line after whatever the link reported itself, unless it would only repeat it.
void Status(CliStreams& io, const ConsoleMessageBoxes& boxes, const std::string& text) {
    if (boxes.LastText() != text) {
        io.err << text << '\n';
    }
}

// Opening failed; a reason the library knows (a missing permission, say) was already shown by
// the link.
void NoConnection(CliStreams& io, const ConsoleMessageBoxes& boxes, const char* status) {
    Status(io, boxes, status);
}

} // namespace

int RunDownload(const DownloadCommand& cmd, UsbLibrary& usb, Pause& pause, CliStreams& io) {
    ConsoleMessageBoxes boxes(io.err);
    ConsoleProgressWindow progress(io.err, io.errIsTerminal);
    CLoggerLinkDlg link(usb, boxes, pause, progress);

    if (!link.CheckConnection(1)) {
        link.CloseLogger();
        NoConnection(io, boxes, kDownloadNoConnectionText);
        return kExitFailed;
    }
    const bool read = link.ReadData();
    link.CloseLogger();
    if (!read) {
        Status(io, boxes, kDownloadReadFailedText);
        return kExitFailed;
    }

    LoggerConfig config = link.m_config;
    // A stamp that is no calendar date cannot be moved on by the delay; it is kept as the
    // logger sent it, so the file still holds every sample.
    if (const auto start = RecordingStart(config)) {
        SetClockStamp(config, *start);
    } else {
        io.err << "Внимание: логгер передал некорректное время " << StampText(ClockStamp(config))
               << "; время начала записи сохранено без изменений.\n";
    }

    auto samples = SamplesFromLogger(config, link.m_pData);
    const std::size_t held = link.m_pData.size() / 2;
    link.FreeData();
    if (!samples) {
        io.err << "Логгер сообщил о " << config.recordedCount << " значениях, но передал только "
               << held << ". Файл не записан.\n";
        return kExitFailed;
    }

    const std::string path = RecordingPathFor(cmd.output);
    if (const std::string error = WriteRecordingFile(path, {config, std::move(*samples)});
        !error.empty()) {
        io.err << error << '\n';
        return kExitFailed;
    }
    io.out << "Передача " << config.recordedCount << " значений закончена: " << path << '\n';
    return kExitOk;
}

int RunConfigure(const ConfigureCommand& cmd, UsbLibrary& usb, Pause& pause, const Clock& clock,
                 const std::filesystem::path& settingsFile, CliStreams& io) {
    IniFile ini(settingsFile);
    SetupSettings settings = LoadSetupSettings(ini);
    settings.loggerName = cmd.name;
    settings.sampleRate = cmd.sampleRate.value_or(settings.sampleRate);
    settings.samplePoint = cmd.samplePoint.value_or(settings.samplePoint);
    settings.startMode = cmd.startMode.value_or(settings.startMode);
    settings.tempUnit = cmd.tempUnit.value_or(settings.tempUnit);
    settings.tempLow = cmd.tempLow.value_or(settings.tempLow);
    settings.tempHigh = cmd.tempHigh.value_or(settings.tempHigh);
    if (cmd.ledAlarm) {
        settings.ledAlarm = *cmd.ledAlarm ? 1 : 0;
    }
    settings.flashCycle = cmd.flashCycle.value_or(settings.flashCycle);
    SetupState state = MakeSetupState(settings, clock.Now());

    // The setup range-tests a limit when it is typed and both when the unit is switched;
    // remembered limits that nobody touched pass as they are.
    const bool unitChanged = cmd.tempUnit.has_value();
    const bool lowTyped = cmd.tempLow.has_value() || unitChanged;
    const bool highTyped = cmd.tempHigh.has_value() || unitChanged;
    if ((highTyped && !InUnitRange(IntegerValue(settings.tempHigh), state.config.tempUnit)) ||
        (lowTyped && !InUnitRange(IntegerValue(settings.tempLow), state.config.tempUnit))) {
        io.err << RangeWarning(state.config.tempUnit) << '\n';
        return kExitFailed;
    }
    if (const auto warning = ValidateForWrite(state)) {
        io.err << *warning << '\n';
        return kExitFailed;
    }

    const LoggerConfig block = CompleteBlock(state, clock.Now());
    ConsoleMessageBoxes boxes(io.err);
    NoProgressWindow noProgress;
    CLoggerLinkDlg link(usb, boxes, pause, noProgress);
    const ConfigBytes bytes = EncodeConfig(block);
    link.m_pData.assign(bytes.begin(), bytes.end());

    if (!link.CheckConnection(1)) {
        link.CloseLogger();
        link.FreeData();
        NoConnection(io, boxes, kSetupNoConnectionText);
        return kExitFailed;
    }
    const bool written = link.WriteConfig();
    link.CloseLogger();
    link.FreeData();
    if (!written) {
        Status(io, boxes, kSetupWriteFailedText);
        return kExitFailed;
    }

    // The logger is set up whatever happens to the settings file; a failure to remember is
    // reported but does not undo that.
    if (!SaveSetupSettings(ini, state.settings)) {
        io.err << "Не удалось сохранить настройки в файле " << settingsFile.string() << ".\n";
    }
    io.out << ConfirmationText(LastStartMode(block)) << '\n';
    return kExitOk;
}

int RunInfo(const InfoCommand& cmd, CliStreams& io) {
    ConsoleMessageBoxes boxes(io.err);
    CDataLoggerDoc doc;
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(cmd.path, ec);
    if (ec) {
        full = cmd.path;
    }
    if (!doc.OpenRecordingFile(full.lexically_normal().string(), boxes) ||
        !boxes.LastText().empty()) {
        return kExitFailed;
    }
    if (!doc.HasRecording()) {
        io.err << "Файл " << full.lexically_normal().string()
               << " не содержит записи: в нем меньше двух значений.\n";
        return kExitFailed;
    }
    io.out << (cmd.json ? RecordingInfoJson(doc) : RecordingInfoText(doc));
    return kExitOk;
}

int RunCli(const std::vector<std::string>& args, CliEnvironment& env) {
    const ParsedArgs parsed = ParseCliArgs(args);
    if (!parsed.command) {
        env.io.err << "termix-cli: " << parsed.error << "\nСправка: termix-cli --help\n";
        return kExitBadArguments;
    }
    if (std::holds_alternative<HelpCommand>(*parsed.command)) {
        env.io.out << UsageText();
        return kExitOk;
    }
    if (const auto* info = std::get_if<InfoCommand>(&*parsed.command)) {
        return RunInfo(*info, env.io);
    }
    const std::unique_ptr<UsbLibrary> usb = env.makeUsb ? env.makeUsb() : nullptr;
    if (!usb) {
        env.io.err << (std::holds_alternative<DownloadCommand>(*parsed.command)
                           ? kDownloadNoConnectionText
                           : kSetupNoConnectionText)
                   << '\n';
        return kExitFailed;
    }
    if (const auto* download = std::get_if<DownloadCommand>(&*parsed.command)) {
        return RunDownload(*download, *usb, env.pause, env.io);
    }
    return RunConfigure(std::get<ConfigureCommand>(*parsed.command), *usb, env.pause, env.clock,
                        env.settingsFile, env.io);
}
