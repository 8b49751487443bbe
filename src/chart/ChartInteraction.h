#pragma once

#include "ChartFonts.h"
#include "ChartLayout.h"
#include "ChartPainter.h"
#include "ZoomBand.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <functional>
#include <optional>

class CDataLoggerDoc;
struct ViewSettings;

// The chart view's mouse work: the zoom band, the cursor line and the readout text, all drawn
// straight into the image the window shows, and the two zoom commands.
//
// The view forwards its mouse, leave and activation events here, passes PaintHooks() to
// PaintChart and reports every screen paint through ChartPainted. The two timers live here.
class ChartInteraction {
public:
    // What the view lends. Every member must be set.
    struct Host {
        // The image the window shows, client-sized; the band, line and text go into it.
        std::function<QImage&()> windowImage;
        std::function<CDataLoggerDoc&()> document;
        std::function<const ViewSettings&()> settings;
        // These pixels of the image changed: show them (update that part of the window).
        std::function<void(const QRect&)> showPixels;
        // Invalidate the whole chart and repaint it at once.
        std::function<void()> repaintChart;
        // Where the pointer is now, in client coordinates.
        std::function<QPoint()> pointerPosition;
    };

    // The window timers' numbers and their period.
    static constexpr int kBandTimerId = 101;
    static constexpr int kReadoutTimerId = 102;
    static constexpr int kTimerIntervalMs = 100;

    explicit ChartInteraction(Host host);
    ChartInteraction(const ChartInteraction&) = delete;
    ChartInteraction& operator=(const ChartInteraction&) = delete;
    ~ChartInteraction();

    // Events, in client coordinates. The view forwards only the left button's press and release,
    // and every move (it tracks the mouse without a button held).
    void OnLeftButtonDown(QPoint point);
    void OnMouseMove(QPoint point);
    void OnLeftButtonUp(QPoint point);
    // The pointer left the window: the band timer's check, done at once.
    void OnLeave();
    // The view was activated or deactivated.
    void OnActivationChanged();

    // For PaintChart on a target of targetSize: while a band is on the window the paint draws
    // nothing; a full paint applies the pending zoom.
    // An invalid targetSize stands for the window image's size.
    ChartPaintHooks PaintHooks(QSize targetSize = QSize());
    // After every screen paint: a new picture holds no cursor line.
    void ChartPainted(const ChartPaintReport& report);

    // Commands 32788 and 32832.
    void ZoomOut();
    void ViewAll();

    // The timers' work; public so that tests can tick without waiting.
    void BandTimerTick();
    void ReadoutTick();

    bool IsDragging() const { return m_bDragging; }
    bool IsZoomPending() const { return m_bZoomPending; }
    bool IsCursorShown() const { return !m_bCursorHidden; }
    const QTimer& BandTimer() const { return m_bandTimer; }
    const QTimer& ReadoutTimer() const { return m_readoutTimer; }
    PixelPoint Anchor() const { return m_ptAnchor; }
    PixelPoint Corner() const { return m_ptCorner; }
    PixelPoint MousePosition() const { return m_ptMouse; }

private:
    QSize ClientSize();
    ChartLayout ClientLayout();
    bool BandBlocksPaint(QSize targetSize);
    void ApplyPendingZoom(const ChartLayout& layout);
    void ShowBand(const BandRect& band);
    // Takes the band off the window and out of the state; repaints if a paint was held back.
    void DropBand();
    void EraseCursorLine();
    void DrawCursorLine(int x);
    const CellFont& ReadoutFont(int cellHeight);

    Host m_host;
    QTimer m_bandTimer;
    QTimer m_readoutTimer;

    // The band.
    bool m_bDragging = false;
    bool m_bNotMoved = false;
    bool m_bZoomPending = false;
    PixelPoint m_ptAnchor;
    PixelPoint m_ptCorner;
    BandRect m_bandOnWindow; // what is inverted in the image now
    QSize m_bandImageSize;   // the image it is inverted in
    bool m_bPaintHeldBack = false;

    // The cursor line and the readout.
    PixelPoint m_ptCursorLine;
    QRect m_cursorLineOnWindow;
    bool m_bCursorHidden = true;
    PixelPoint m_ptMouse;
    PixelPoint m_ptReadout;
    bool m_bReadoutTimer = false;
    std::optional<ChartLayout> m_lastPaintLayout;

    std::optional<CellFont> m_readoutFont;
    int m_readoutFontHeight = 0;
};
