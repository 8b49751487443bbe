#include "Readout.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// Start 05-03-2015 10:00:00, one sample a minute, a day of samples; client 1000 x 600 so the
// plot is 100..900 x 60..480 and one pixel is 1.8 samples.
class ReadoutTextAtTest : public ::testing::Test {
protected:
    ReadoutTextAtTest() : samples(1441, 0) {
        SetClockStamp(config, {2015, 3, 5, 10, 0, 0});
        config.periodSec = 60;
        config.tempLowAlarm = -5.5F;
        config.tempHighAlarm = 30.5F;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(i);
        }
        samples[90] = 235; // sample 91
    }

    std::string At(int x, int y) const {
        return ReadoutTextAt(layout, window, samples, config, {x, y});
    }

    static std::string SampleText(const char* when, const char* value) {
        return Blanks(17) + "Время:" + when + Blanks(12) + "Температура:" + value + Blanks(12);
    }

    LoggerConfig config;
    std::vector<std::int16_t> samples;
    ChartLayout layout = ComputeLayout(1000, 600);
    ChartWindow window{1, 1441, 400, 0};
};

TEST_F(ReadoutTextAtTest, WorkedExample) {
    // lx = 50 * 1440 / 800 = 90: sample 91.
    EXPECT_EQ(At(150, 300), SampleText("05-03-2015 11:30:00", "23.5"));
    EXPECT_EQ(At(150, 481), Blanks(11) + "Начало:05-03-2015 10:00:00" + Blanks(3) +
                                "Конец:06-03-2015 10:00:00" + Blanks(11));
    EXPECT_EQ(At(150, 59), Blanks(22) + "Температура.(LA: -5.5--HA: 30.5)" + Blanks(22));
}

TEST_F(ReadoutTextAtTest, PlotEdgesCountInside) {
    EXPECT_EQ(At(100, 300), SampleText("05-03-2015 10:00:00", "0.0"));
    EXPECT_EQ(At(900, 300), SampleText("06-03-2015 10:00:00", "144.0"));
    EXPECT_EQ(At(150, 60), SampleText("05-03-2015 11:30:00", "23.5"));
    EXPECT_EQ(At(150, 480), SampleText("05-03-2015 11:30:00", "23.5"));
}

TEST_F(ReadoutTextAtTest, BesideThePlotSnapsToTheShownEnds) {
    window = {91, 200, 400, 0};
    EXPECT_EQ(At(0, 300), SampleText("05-03-2015 11:30:00", "23.5"));
    EXPECT_EQ(At(99, 60), SampleText("05-03-2015 11:30:00", "23.5"));
    EXPECT_EQ(At(999, 480), SampleText("05-03-2015 13:19:00", "19.9"));
    // Beside and above or below is not beside.
    EXPECT_EQ(At(0, 59), Blanks(22) + "Температура.(LA: -5.5--HA: 30.5)" + Blanks(22));
    EXPECT_EQ(At(999, 481), Blanks(11) + "Начало:05-03-2015 11:30:00" + Blanks(3) +
                                "Конец:05-03-2015 13:19:00" + Blanks(11));
}

TEST_F(ReadoutTextAtTest, NothingWithoutAPlotOrSamples) {
    EXPECT_EQ(ReadoutTextAt(ComputeLayout(1, 600), window, samples, config, {0, 300}), "");
    EXPECT_EQ(ReadoutTextAt(ComputeLayout(1000, 1), window, samples, config, {0, 0}), "");
    EXPECT_EQ(ReadoutTextAt(layout, {1, 2, 400, 0}, std::span<const std::int16_t>(samples).first(1),
                            config, {150, 300}),
              "");
}

TEST(ReadoutTexts, OneDecimalAlwaysAndASignForNegatives) {
    const CivilDateTime t{2015, 3, 5, 11, 30, 0};
    const std::string prefix = Blanks(17) + "Время:05-03-2015 11:30:00" + Blanks(12);
    EXPECT_EQ(SampleReadoutText(t, -5), prefix + "Температура:-0.5" + Blanks(12));
    EXPECT_EQ(SampleReadoutText(t, 0), prefix + "Температура:0.0" + Blanks(12));
    EXPECT_EQ(SampleReadoutText(t, -400), prefix + "Температура:-40.0" + Blanks(12));
    EXPECT_EQ(SampleReadoutText(t, 32767), prefix + "Температура:3276.7" + Blanks(12));
    EXPECT_EQ(AlarmReadoutText(0.0, 25.0),
              Blanks(22) + "Температура.(LA: 0.0--HA: 25.0)" + Blanks(22));
}

// The application object adopts the user's locale; a Russian one writes a decimal comma.
// The locale is compiled once into the build folder when the system has none.
bool UseRussianNumbers() {
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr) {
        return true;
    }
    const std::string folder = TERMIX_TEST_LOCALE_DIR;
    const std::string command = "mkdir -p '" + folder + "' && { test -d '" + folder +
                                "/ru_RU.UTF-8' || localedef -i ru_RU -f UTF-8 '" + folder +
                                "/ru_RU.UTF-8'; } >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
}

TEST(ReadoutTexts, DecimalPointWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!UseRussianNumbers()) {
        GTEST_SKIP() << "no Russian locale available";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 23.5);
    const std::string text = SampleReadoutText({2015, 3, 5, 11, 30, 0}, 235);
    const std::string alarms = AlarmReadoutText(-5.5, 30.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(probe, "23,5"); // the locale is in force
    EXPECT_NE(text.find("Температура:23.5 "), std::string::npos) << text;
    EXPECT_NE(alarms.find("LA: -5.5--HA: 30.5"), std::string::npos) << alarms;
}

TEST(ReadoutTexts, TextTopIsBelowTheTimeLabels) {
    // 1000 x 600: B = 480, u = 17, t = 5.
    EXPECT_EQ(ReadoutTextTop(ComputeLayout(1000, 600)), 480 + 2 * (17 + 5));
}

} // namespace
