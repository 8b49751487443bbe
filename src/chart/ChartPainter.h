#pragma once

#include "ChartLayout.h"

#include <QImage>
#include <functional>
#include <optional>
#include <string>

class CDataLoggerDoc;
struct ViewSettings;

// What one screen paint did, for the view to act on.
struct ChartPaintReport {
    enum class Outcome {
        Empty,   // the empty state was drawn: no title change, no zoom, m_bDrawn unchanged
        Skipped, // a band is being dragged: nothing drawn, the window keeps what it shows
        Full,    // the whole chart was drawn; the cursor line is gone from the new picture
    };
    Outcome outcome = Outcome::Empty;
    // Layout of this paint (also of an empty one): the readout places its text with
    // labelHeight, titleHeight and tickLength.
    ChartLayout layout;
    bool markersOn = false;
    // The main window's new title, when the document asked for one.
    std::optional<std::string> title;
};

struct ChartPaintHooks {
    // True while a zoom band is dragged.
    std::function<bool()> bandDragging;
    // Applies a zoom the mouse left pending; may change the document's window.
    std::function<void(const ChartLayout&)> applyPendingZoom;
};

// The screen paint: draws the chart of the document's window into target (Format_RGB32, the
// view's size) and does the document's bookkeeping of a full paint: clears m_bTitlePending
// (returning the title), sets m_bDrawn. The caller copies target to the window unless the
// outcome is Skipped.
ChartPaintReport PaintChart(QImage& target, CDataLoggerDoc& doc, const ViewSettings& settings,
                            const ChartPaintHooks& hooks = {});
