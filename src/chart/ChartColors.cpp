#include "ChartColors.h"

ChartColors ColorsForScheme(int scheme) {
    constexpr Rgb kBlack{0, 0, 0};
    constexpr Rgb kWhite{255, 255, 255};
    constexpr Rgb kRed{250, 0, 0};
    constexpr Rgb kDarkGrey{100, 100, 100};
    switch (scheme) {
    case 0:
        return {kBlack, kBlack, kWhite, kWhite, kRed, kRed, kRed, kRed, kDarkGrey};
    case 1:
        return {kWhite, kWhite, kBlack, kBlack, kBlack, kRed, kRed, kRed, {220, 220, 220}};
    case 2:
        return {{196, 21, 28}, kBlack, kBlack, kBlack, kWhite, kRed, kRed, kRed, kDarkGrey};
    default:
        return {{2, 160, 197}, kBlack, kBlack, kBlack, kWhite, kRed, kRed, kRed, kDarkGrey};
    }
}
