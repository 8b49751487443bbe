#pragma once

#include <utility>

// The Y-axis range a new recording starts with, in tenths of a degree: {top, bottom}. The top
// is the lowest step of the unit's table that the highest sample does not exceed (the last step
// above that); the bottom the highest step that the lowest sample is not below, and -400 for
// anything lower. currentBottom is accepted for callers that still pass it; the range no
// longer depends on what was shown before.
std::pair<int, int> ChooseAxisRange(int max, int min, bool fahrenheit, int currentBottom);

// The caps zooming applies: the last top of the table and the lowest bottom.
int AxisTopCap(bool fahrenheit);
inline constexpr int kAxisBottomFloor = -400;
