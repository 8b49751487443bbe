#include "CliArgs.h"

#include <gtest/gtest.h>

namespace {

ParsedArgs Parse(std::vector<std::string> args) {
    return ParseCliArgs(args);
}

} // namespace

TEST(CliArgs, RefusalsNameTheArgument) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "не указана команда"},
        {{"fetch"}, "«fetch»"},
        {{"download"}, "-o FILE"},
        {{"download", "-o"}, "-o нужно значение"},
        {{"download", "-x", "a"}, "«-x»"},
        {{"configure", "--period", "60"}, "--name"},
        {{"configure", "--name", "A", "--period", "61"}, "«61» для --period"},
        {{"configure", "--name", "A", "--period", "60s"}, "«60s» для --period"},
        {{"configure", "--name", "A", "--samples", "77"}, "«77» для --samples"},
        {{"configure", "--name", "A", "--start", "later"}, "«later» для --start"},
        {{"configure", "--name", "A", "--unit", "K"}, "«K» для --unit"},
        {{"configure", "--name", "A", "--low", "4-"}, "«4-» для --low"},
        {{"configure", "--name", "A", "--high", "12345"}, "«12345» для --high"},
        {{"configure", "--name", "A", "--high", "1.5"}, "«1.5» для --high"},
        {{"configure", "--name", "A", "--flash", "15"}, "«15» для --flash"},
        {{"configure", "--name", "A", "--led=1"}, "--led"},
        {{"configure", "--name", "A", "--colour", "red"}, "«--colour»"},
        {{"configure", "--name"}, "--name нужно значение"},
        {{"info"}, "info FILE"},
        {{"info", "a.rec0", "b.rec0"}, "«b.rec0»"},
        {{"info", "a.rec0", "--xml"}, "«--xml»"},
    };
    for (const auto& [args, named] : cases) {
        const ParsedArgs p = ParseCliArgs(args);
        EXPECT_FALSE(p.command);
        EXPECT_NE(p.error.find(named), std::string::npos) << p.error;
    }
}

TEST(CliArgs, ConfigureTakesEveryOptionInBothSpellings) {
    const ParsedArgs p =
        Parse({"configure", "--name", "Склад 1", "--period=3600", "--samples", "1000", "--start",
               "now", "--unit=F", "--low", "-5", "--high", "100", "--led", "--flash", "20"});
    ASSERT_TRUE(p.command) << p.error;
    const auto& c = std::get<ConfigureCommand>(*p.command);
    EXPECT_EQ(c.name, "Склад 1");
    EXPECT_EQ(c.sampleRate, 8);
    EXPECT_EQ(c.samplePoint, 3);
    EXPECT_EQ(c.startMode, 1);
    EXPECT_EQ(c.tempUnit, 1);
    EXPECT_EQ(c.tempLow, "-5");
    EXPECT_EQ(c.tempHigh, "100");
    EXPECT_EQ(c.ledAlarm, true);
    EXPECT_EQ(c.flashCycle, 1);

    const ParsedArgs bareArgs = Parse({"configure", "--name", ""});
    const auto& bare = std::get<ConfigureCommand>(*bareArgs.command);
    EXPECT_EQ(bare.name, "");
    EXPECT_FALSE(bare.sampleRate || bare.samplePoint || bare.startMode || bare.tempUnit ||
                 bare.tempLow || bare.tempHigh || bare.ledAlarm || bare.flashCycle);
    const ParsedArgs noLed = Parse({"configure", "--name", "A", "--no-led"});
    EXPECT_EQ(std::get<ConfigureCommand>(*noLed.command).ledAlarm, false);
}

TEST(CliArgs, DownloadInfoAndHelp) {
    EXPECT_EQ(std::get<DownloadCommand>(*Parse({"download", "-o", "run"}).command).output, "run");
    EXPECT_EQ(std::get<DownloadCommand>(*Parse({"download", "--output=r.rec0"}).command).output,
              "r.rec0");
    const InfoCommand info = std::get<InfoCommand>(*Parse({"info", "--json", "a.rec0"}).command);
    EXPECT_EQ(info.path, "a.rec0");
    EXPECT_TRUE(info.json);
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(*Parse({"--help"}).command));
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(*Parse({"configure", "--help"}).command));
    EXPECT_NE(UsageText().find("configure --name TEXT"), std::string::npos);
}
