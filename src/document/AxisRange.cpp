#include "AxisRange.h"

#include <array>

namespace {

struct Step {
    int limit;
    int value;
};

// Each °F step is the same temperature as the °C step beside it.
constexpr std::array<Step, 5> kTopsC{{{400, 400}, {500, 500}, {600, 600}, {700, 700}, {800, 800}}};
constexpr std::array<Step, 5> kTopsF{
    {{1040, 1040}, {1220, 1220}, {1400, 1400}, {1580, 1580}, {1760, 1760}}};
constexpr int kLastTopC = 1200;
constexpr int kLastTopF = 2480;

constexpr std::array<int, 5> kBottomsC{0, -100, -200, -300, -400};
constexpr std::array<int, 5> kBottomsF{320, 140, -40, -220, -400};

} // namespace

int AxisTopCap(bool fahrenheit) {
    return fahrenheit ? kLastTopF : kLastTopC;
}

std::pair<int, int> ChooseAxisRange(int max, int min, bool fahrenheit,
                                    [[maybe_unused]] int currentBottom) {
    int top = AxisTopCap(fahrenheit);
    for (const Step& step : fahrenheit ? kTopsF : kTopsC) {
        if (max <= step.limit) {
            top = step.value;
            break;
        }
    }
    // Below the table's last step the trace leaves the plot at the bottom, as it does at the
    // top; keeping whatever bottom was shown before would tie the range to history.
    int bottom = kAxisBottomFloor;
    for (const int step : fahrenheit ? kBottomsF : kBottomsC) {
        if (min >= step) {
            bottom = step;
            break;
        }
    }
    return {top, bottom};
}
