#include "SetupTables.h"

std::uint32_t PeriodTable(int index) {
    if (index < 0 || index >= static_cast<int>(kPeriodChoices.size())) {
        return 10;
    }
    return kPeriodChoices[static_cast<std::size_t>(index)].periodSec;
}

std::uint32_t PointsTable(int index) {
    if (index < 0 || index >= static_cast<int>(kPointChoices.size())) {
        return 50;
    }
    return kPointChoices[static_cast<std::size_t>(index)];
}

int PeriodIndex(std::uint32_t periodSec) {
    for (std::size_t i = 0; i < kPeriodChoices.size(); ++i) {
        if (kPeriodChoices[i].periodSec == periodSec) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int PointsIndex(std::uint32_t samplePoints) {
    for (std::size_t i = 0; i < kPointChoices.size(); ++i) {
        if (kPointChoices[i] == samplePoints) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
