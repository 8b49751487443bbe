#include "CliArgs.h"

#include "SetupRules.h"
#include "SetupTables.h"

#include <charconv>

namespace {

std::string Quoted(const std::string& s) {
    return "«" + s + "»";
}

std::optional<std::uint32_t> PlainNumber(const std::string& s) {
    std::uint32_t v = 0;
    const auto* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (s.empty() || ec != std::errc() || p != end) {
        return std::nullopt;
    }
    return v;
}

std::string PeriodList() {
    std::string list;
    for (const auto& c : kPeriodChoices) {
        list += (list.empty() ? "" : ", ") + std::to_string(c.periodSec);
    }
    return list;
}

std::string PointsList() {
    std::string list;
    for (const auto n : kPointChoices) {
        list += (list.empty() ? "" : ", ") + std::to_string(n);
    }
    return list;
}

// Splits "--opt=value"; the value is then bound to the option.
struct Arg {
    std::string name;
    std::optional<std::string> inlineValue;
};

Arg SplitArg(const std::string& a) {
    if (a.rfind("--", 0) == 0) {
        if (const auto eq = a.find('='); eq != std::string::npos) {
            return {a.substr(0, eq), a.substr(eq + 1)};
        }
    }
    return {a, std::nullopt};
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

    bool Done() const { return m_next >= m_args.size(); }
    Arg Next() { return SplitArg(m_args[m_next++]); }

    // The option's value: the inline one or the next argument, whatever it looks like
    // ("-5" is a value of --low).
    std::optional<std::string> Value(const Arg& arg) {
        if (arg.inlineValue) {
            return arg.inlineValue;
        }
        if (Done()) {
            m_error = "для " + arg.name + " нужно значение";
            return std::nullopt;
        }
        return m_args[m_next++];
    }

    std::string m_error;

private:
    const std::vector<std::string>& m_args;
    std::size_t m_next = 0;
};

ParsedArgs Fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

std::string BadValue(const std::string& value, const std::string& option,
                     const std::string& allowed) {
    return "неверное значение " + Quoted(value) + " для " + option + " (допустимо: " + allowed +
           ")";
}

ParsedArgs ParseDownload(Parser& p) {
    DownloadCommand cmd;
    bool haveOutput = false;
    while (!p.Done()) {
        const Arg a = p.Next();
        if (a.name == "-o" || a.name == "--output") {
            const auto v = p.Value(a);
            if (!v) {
                return Fail(p.m_error);
            }
            if (v->empty()) {
                return Fail("пустое имя файла для " + a.name);
            }
            cmd.output = *v;
            haveOutput = true;
        } else {
            return Fail("неизвестный аргумент " + Quoted(a.name) + " команды download");
        }
    }
    if (!haveOutput) {
        return Fail("команде download нужен файл: -o FILE");
    }
    return {cmd, {}};
}

ParsedArgs ParseConfigure(Parser& p) {
    ConfigureCommand cmd;
    bool haveName = false;
    while (!p.Done()) {
        const Arg a = p.Next();
        if (a.name == "--led" || a.name == "--no-led") {
            if (a.inlineValue) {
                return Fail(a.name + " не принимает значения");
            }
            cmd.ledAlarm = a.name == "--led";
            continue;
        }
        const bool known = a.name == "--name" || a.name == "--period" || a.name == "--samples" ||
                           a.name == "--start" || a.name == "--unit" || a.name == "--low" ||
                           a.name == "--high" || a.name == "--flash";
        if (!known) {
            return Fail("неизвестный аргумент " + Quoted(a.name) + " команды configure");
        }
        const auto v = p.Value(a);
        if (!v) {
            return Fail(p.m_error);
        }
        if (a.name == "--name") {
            cmd.name = *v;
            haveName = true;
        } else if (a.name == "--period") {
            const auto n = PlainNumber(*v);
            const int index = n ? PeriodIndex(*n) : -1;
            if (index < 0) {
                return Fail(BadValue(*v, a.name, "секунды " + PeriodList()));
            }
            cmd.sampleRate = index;
        } else if (a.name == "--samples") {
            const auto n = PlainNumber(*v);
            const int index = n ? PointsIndex(*n) : -1;
            if (index < 0) {
                return Fail(BadValue(*v, a.name, PointsList()));
            }
            cmd.samplePoint = index;
        } else if (a.name == "--start") {
            if (*v != "button" && *v != "now") {
                return Fail(BadValue(*v, a.name, "button, now"));
            }
            cmd.startMode = *v == "now" ? 1 : 0;
        } else if (a.name == "--unit") {
            if (*v != "C" && *v != "F") {
                return Fail(BadValue(*v, a.name, "C, F"));
            }
            cmd.tempUnit = *v == "F" ? 1 : 0;
        } else if (a.name == "--low" || a.name == "--high") {
            if (!LimitTextAccepted(*v)) {
                return Fail(BadValue(*v, a.name,
                                     "целое число, не более 4 символов, знак «-» только первым"));
            }
            (a.name == "--low" ? cmd.tempLow : cmd.tempHigh) = *v;
        } else if (a.name == "--flash") {
            if (*v != "10" && *v != "20" && *v != "30") {
                return Fail(BadValue(*v, a.name, "10, 20, 30"));
            }
            cmd.flashCycle = *v == "10" ? 0 : *v == "20" ? 1 : 2;
        }
    }
    if (!haveName) {
        return Fail("команде configure нужно имя логгера: --name TEXT");
    }
    return {cmd, {}};
}

ParsedArgs ParseInfo(Parser& p) {
    InfoCommand cmd;
    bool havePath = false;
    while (!p.Done()) {
        const Arg a = p.Next();
        if (a.name == "--json" && !a.inlineValue) {
            cmd.json = true;
        } else if (!a.name.empty() && a.name[0] == '-' && a.name != "-") {
            return Fail("неизвестный аргумент " + Quoted(a.name) + " команды info");
        } else if (havePath) {
            return Fail("лишний аргумент " + Quoted(a.name) + ": команде info нужен один файл");
        } else {
            cmd.path = a.name;
            havePath = true;
        }
    }
    if (!havePath || cmd.path.empty()) {
        return Fail("команде info нужен файл записи: info FILE");
    }
    return {cmd, {}};
}

} // namespace

ParsedArgs ParseCliArgs(const std::vector<std::string>& args) {
    if (args.empty()) {
        return Fail("не указана команда");
    }
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            return {HelpCommand{}, {}};
        }
    }
    Parser p(args);
    const std::string command = p.Next().name;
    if (command == "download") {
        return ParseDownload(p);
    }
    if (command == "configure") {
        return ParseConfigure(p);
    }
    if (command == "info") {
        return ParseInfo(p);
    }
    return Fail("неизвестная команда " + Quoted(command));
}

std::string UsageText() {
    return "Использование: termix-cli КОМАНДА [ПАРАМЕТРЫ]\n"
           "\n"
           "  download -o FILE\n"
           "      Загрузить данные из логгера и сохранить запись в FILE\n"
           "      (к имени без \".rec0\" добавляется \".rec0\").\n"
           "\n"
           "  configure --name TEXT [--period SEC] [--samples N] [--start button|now]\n"
           "            [--unit C|F] [--low N] [--high N] [--led | --no-led] [--flash 10|20|30]\n"
           "      Записать настройки в логгер. Не указанные значения берутся из последней\n"
           "      успешной настройки (loggerconfig.ini), часы логгера ставятся по ПК.\n"
           "      SEC: " +
           PeriodList() +
           "\n"
           "      N (--samples): " +
           PointsList() +
           "\n"
           "      --low, --high: аварийные границы в целых градусах выбранных единиц.\n"
           "\n"
           "  info FILE [--json]\n"
           "      Показать сведения о файле записи (.rec0).\n"
           "\n"
           "  --help\n"
           "      Эта справка.\n"
           "\n"
           "Без логгера: TERMIX_SIMULATED_LOGGER=ОБРАЗ подставляет образ памяти логгера.\n"
           "Код выхода: 0 успех, 1 ошибка, 2 неверные аргументы.\n";
}
