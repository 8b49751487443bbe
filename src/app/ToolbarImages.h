#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <vector>

inline constexpr int kButtonWidth = 24;
inline constexpr int kButtonHeight = 23;
inline constexpr int kButtonCount = 7;

// The seven button pictures side by side (168 x 23) on a background of one mask colour, in
// toolbar order: download, logger setup, open, save as, print, view all, zoom out. The hot set
// is what a button shows under the mouse.
QImage DrawButtonStrip(bool hot);

// Cuts a strip into width / imageWidth pictures. The colour of the strip's first stored pixel
// (bottom-left, as a bottom-up bitmap keeps it) is the mask: every pixel of it becomes
// transparent. Empty when the strip is too small for one picture.
std::vector<QPixmap> SplitMaskedImages(const QImage& strip, int imageWidth);

// One icon per button: the normal set for the normal and the disabled look, the hot set for
// the button under the mouse.
std::vector<QIcon> MakeButtonIcons();
