#pragma once

#include "ZoomBand.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <functional>

class CDataLoggerDoc;
struct ViewSettings;

// The chart view's mouse work: the zoom band, the cursor line and the readout text, all drawn
// straight into the image the window shows, and the zoom commands. The view forwards its events
// here and calls PrepareChartPaint before it paints the chart in full.
class ChartInteraction {
public:
    // What the view lends. All members must be set.
    struct Host {
        // The image the window shows; the band, line and text are drawn into it.
        std::function<QImage&()> windowImage;
        std::function<CDataLoggerDoc&()> document;
        std::function<const ViewSettings&()> settings;
        // Pixels of the image changed: show them (an update of that part of the window).
        std::function<void(const QRect&)> showPixels;
        // Invalidate the whole chart and repaint it at once.
        std::function<void()> repaintChart;
        // Where the pointer is now, in client coordinates.
        std::function<QPoint()> pointerPosition;
    };

    static constexpr int kBandTimerId = 101;
    static constexpr int kReadoutTimerId = 102;
    static constexpr int kTimerIntervalMs = 100;

    explicit ChartInteraction(Host host);
    ChartInteraction(const ChartInteraction&) = delete;
    ChartInteraction& operator=(const ChartInteraction&) = delete;

    // Events, in client coordinates.
    void OnLeftButtonDown(QPoint point);
    void OnMouseMove(QPoint point);
    void OnLeftButtonUp(QPoint point);
    // The pointer left the window: the same check as a band timer tick, only sooner.
    void OnLeave();
    // The view was activated or deactivated.
    void OnActivationChanged();

    // Called when the view is about to repaint the chart in full into an image of clientSize.
    // False: a band is on the window, so the view must leave the image and the screen as they
    // are. True: paint; a pending zoom has been applied to the document.
    bool PrepareChartPaint(QSize clientSize);

    // Commands 32788 and 32832.
    void ZoomOut();
    void ViewAll();

    // The timers' work; public so that tests can tick without waiting.
    void BandTimerTick();
    void ReadoutTick();

    bool IsDragging() const { return m_bDragging; }
    bool IsZoomPending() const { return m_bZoomPending; }
    bool IsCursorShown() const { return !m_bCursorHidden; }
    bool IsBandTimerRunning() const { return m_bandTimer.isActive(); }
    bool IsReadoutTimerRunning() const { return m_readoutTimer.isActive(); }
    const QTimer& BandTimer() const { return m_bandTimer; }
    const QTimer& ReadoutTimer() const { return m_readoutTimer; }
    ClientPoint Anchor() const { return m_ptAnchor; }
    ClientPoint Corner() const { return m_ptCorner; }
    ClientPoint MousePosition() const { return m_ptMouse; }

private:
    QSize ClientSize();
    void MoveBandTo(const BandRect& band);
    void EraseCursorLine();
    void DrawCursorLine(int x);
    // Drops the band (erasing it) and, if a chart paint was held back meanwhile, repaints.
    void EndBand();
    const QFont& ReadoutFont(int cellHeight);

    Host m_host;
    QTimer m_bandTimer;
    QTimer m_readoutTimer;

    bool m_bDragging = false;
    bool m_bNotMoved = false;
    bool m_bZoomPending = false;
    ClientPoint m_ptAnchor;
    ClientPoint m_ptCorner;
    BandRect m_drawnBand;
    QSize m_bandClientSize;
    // A chart paint was refused because a band was on the window.
    bool m_bPaintHeldBack = false;

    QRect m_cursorLine;
    bool m_bCursorHidden = true;
    ClientPoint m_ptMouse;
    ClientPoint m_ptReadout;
    bool m_bReadoutTimer = false;

    QFont m_readoutFont;
    int m_readoutFontHeight = 0;
};
