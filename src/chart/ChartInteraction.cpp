#include "ChartInteraction.h"

#include "ChartColors.h"
#include "DataLoggerDoc.h"
#include "DirectDrawing.h"
#include "Readout.h"
#include "ViewSettings.h"

#include <utility>

namespace {

PixelPoint ToPixel(QPoint point) {
    return {point.x(), point.y()};
}

QColor ToQColor(const Rgb& colour) {
    return QColor(colour.r, colour.g, colour.b);
}

ChartWindow WindowOf(const CDataLoggerDoc& doc) {
    return {doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom};
}

} // namespace

ChartInteraction::ChartInteraction(Host host) : m_host(std::move(host)) {
    m_bandTimer.setInterval(kTimerIntervalMs);
    m_readoutTimer.setInterval(kTimerIntervalMs);
    QObject::connect(&m_bandTimer, &QTimer::timeout, [this] { BandTimerTick(); });
    QObject::connect(&m_readoutTimer, &QTimer::timeout, [this] { ReadoutTick(); });
}

ChartInteraction::~ChartInteraction() = default;

QSize ChartInteraction::ClientSize() {
    return m_host.windowImage().size();
}

ChartLayout ChartInteraction::ClientLayout() {
    const QSize size = ClientSize();
    return ComputeLayout(size.width(), size.height());
}

void ChartInteraction::OnLeftButtonDown(QPoint point) {
    EraseCursorLine();
    const QSize size = ClientSize();
    const PixelPoint p = ToPixel(point);
    if (!InPressArea(size.width(), size.height(), p) || m_host.document().m_nCount < 2) {
        return;
    }
    // A second press without a release (the release went elsewhere) starts afresh.
    if (m_bDragging) {
        ShowBand({});
    }
    m_bDragging = true;
    m_bNotMoved = true;
    m_bandTimer.start();
    m_ptAnchor = m_ptCorner = p;
    m_bandImageSize = size;
}

void ChartInteraction::OnMouseMove(QPoint point) {
    CDataLoggerDoc& doc = m_host.document();
    if (!doc.m_bDrawn) {
        return;
    }
    if (!m_bReadoutTimer) {
        m_readoutTimer.start();
        m_bReadoutTimer = true;
    }

    const PixelPoint p = ToPixel(point);
    if (!m_bDragging && doc.m_nCount >= 2) {
        EraseCursorLine();
        if (InPlot(ClientLayout(), p)) {
            m_ptCursorLine = p;
            DrawCursorLine(p.x);
        }
        m_ptMouse = p;
    }

    if (!m_bDragging) {
        return;
    }
    m_bNotMoved = false;
    const QSize size = ClientSize();
    if (InCancelZone(size.width(), size.height(), p)) {
        m_ptCorner = p;
        DropBand();
        return;
    }
    const PixelPoint clamped = ClampToDragArea(size.width(), size.height(), p);
    if (clamped != m_ptCorner) {
        ShowBand(BandRectOf(m_ptAnchor, clamped));
    }
    m_ptCorner = clamped;
}

void ChartInteraction::OnLeftButtonUp(QPoint /*point*/) {
    if (!m_bDragging) {
        return;
    }
    ShowBand({});
    const ChartLayout layout = ClientLayout();
    m_ptAnchor = ClampToPlotX(layout, m_ptAnchor);
    m_ptCorner = ClampToPlotX(layout, m_ptCorner);
    m_bDragging = false;
    m_bandTimer.stop();
    if (!m_bNotMoved) {
        m_bZoomPending = true;
        m_bPaintHeldBack = false;
        m_host.repaintChart();
    } else if (std::exchange(m_bPaintHeldBack, false)) {
        m_host.repaintChart();
    }
}

void ChartInteraction::OnLeave() {
    BandTimerTick();
}

void ChartInteraction::OnActivationChanged() {
    if (m_bDragging) {
        DropBand();
    }
}

void ChartInteraction::BandTimerTick() {
    if (!m_bDragging) {
        return;
    }
    const QPoint pointer = m_host.pointerPosition();
    const QSize size = ClientSize();
    const bool inside = 0 <= pointer.x() && pointer.x() <= size.width() && 0 <= pointer.y() &&
                        pointer.y() <= size.height();
    if (!inside) {
        DropBand();
    }
}

void ChartInteraction::DropBand() {
    ShowBand({});
    m_bDragging = false;
    m_bandTimer.stop();
    // A chart paint refused during the drag (a command changed what the chart shows) is due now.
    if (std::exchange(m_bPaintHeldBack, false)) {
        m_host.repaintChart();
    }
}

void ChartInteraction::ShowBand(const BandRect& band) {
    QImage& image = m_host.windowImage();
    // Inverting the old frame and then the new one leaves inverted exactly the pixels that
    // belong to one of them.
    const auto show = [this](const QRect& r) { m_host.showPixels(r); };
    if (image.size() == m_bandImageSize) {
        InvertBandFrame(image, m_bandOnWindow, show);
    }
    m_bandImageSize = image.size();
    InvertBandFrame(image, band, show);
    m_bandOnWindow = band;
}

bool ChartInteraction::BandBlocksPaint(QSize targetSize) {
    if (!m_bDragging) {
        return false;
    }
    if (targetSize != m_bandImageSize) {
        // The window changed size under the band: the image it was inverted in is gone, so
        // the band goes too and the chart is painted.
        m_bandOnWindow = {};
        m_bDragging = false;
        m_bandTimer.stop();
        return false;
    }
    m_bPaintHeldBack = true;
    return true;
}

void ChartInteraction::ApplyPendingZoom(const ChartLayout& layout) {
    m_bCursorHidden = true;
    if (!m_bZoomPending) {
        return;
    }
    m_bZoomPending = false;
    CDataLoggerDoc& doc = m_host.document();
    const std::optional<ChartWindow> next = ::ApplyPendingZoom(
        layout, m_ptAnchor, m_ptCorner, WindowOf(doc), IsFahrenheit(doc.m_config));
    if (next) {
        doc.PushZoom(next->first, next->last, next->top, next->bottom);
    }
}

ChartPaintHooks ChartInteraction::PaintHooks(QSize targetSize) {
    ChartPaintHooks hooks;
    hooks.bandDragging = [this, targetSize] {
        return BandBlocksPaint(targetSize.isValid() ? targetSize : ClientSize());
    };
    hooks.applyPendingZoom = [this](const ChartLayout& layout) { ApplyPendingZoom(layout); };
    return hooks;
}

void ChartInteraction::ChartPainted(const ChartPaintReport& report) {
    if (report.outcome == ChartPaintReport::Outcome::Skipped) {
        return;
    }
    // Also an empty picture: the line that was there is gone.
    m_bCursorHidden = true;
    m_cursorLineOnWindow = {};
    m_lastPaintLayout = report.layout;
}

void ChartInteraction::ZoomOut() {
    CDataLoggerDoc& doc = m_host.document();
    if (doc.m_nCount >= 2 && doc.ZoomOut()) {
        m_host.repaintChart();
    }
}

void ChartInteraction::ViewAll() {
    CDataLoggerDoc& doc = m_host.document();
    if (doc.m_nCount >= 2 && doc.ViewAll()) {
        m_host.repaintChart();
    }
}

void ChartInteraction::EraseCursorLine() {
    if (m_bCursorHidden) {
        return;
    }
    if (!m_cursorLineOnWindow.isEmpty()) {
        QImage& image = m_host.windowImage();
        InvertCursorLine(image, m_cursorLineOnWindow.left(), m_cursorLineOnWindow.top(),
                         m_cursorLineOnWindow.bottom() + 1);
        m_host.showPixels(m_cursorLineOnWindow);
    }
    m_cursorLineOnWindow = {};
    m_bCursorHidden = true;
}

void ChartInteraction::DrawCursorLine(int x) {
    const ChartLayout layout = ClientLayout();
    m_cursorLineOnWindow = InvertCursorLine(m_host.windowImage(), x, layout.top, layout.bottom);
    if (!m_cursorLineOnWindow.isEmpty()) {
        m_host.showPixels(m_cursorLineOnWindow);
    }
    m_bCursorHidden = false;
}

const CellFont& ChartInteraction::ReadoutFont(int cellHeight) {
    QImage& image = m_host.windowImage();
    if (!m_readoutFont || m_readoutFontHeight != cellHeight) {
        m_readoutFont.emplace(MakeCellFont(cellHeight, &image));
        m_readoutFontHeight = cellHeight;
    }
    return *m_readoutFont;
}

void ChartInteraction::ReadoutTick() {
    m_ptReadout = m_ptMouse;
    // The text cannot change while a band is dragged, and drawing it again over the band's
    // inverted pixels would spoil them where the two meet.
    if (m_bDragging) {
        return;
    }
    const CDataLoggerDoc& doc = m_host.document();
    const ChartLayout layout = ClientLayout();
    if (layout.plotHeight <= 0 || layout.plotWidth <= 0 || doc.m_nCount < 2) {
        return;
    }
    const std::string text =
        ReadoutTextAt(layout, WindowOf(doc), doc.Samples(), doc.m_config, m_ptReadout);
    if (text.empty()) {
        return;
    }
    // The text's size and place follow the sizes of the last screen paint.
    ChartLayout place = layout;
    if (m_lastPaintLayout) {
        place.labelHeight = m_lastPaintLayout->labelHeight;
        place.titleHeight = m_lastPaintLayout->titleHeight;
        place.tickLength = m_lastPaintLayout->tickLength;
    }
    const ChartColors colours = SchemeColors(m_host.settings());
    QImage& image = m_host.windowImage();
    const QRect covered = DrawOpaqueText(
        image, QString::fromStdString(text), ReadoutFont(place.titleHeight), image.width() / 2,
        ReadoutTextTop(place), ToQColor(colours.m_clrReadout), ToQColor(colours.m_clrWindow));
    if (!covered.isEmpty()) {
        m_host.showPixels(covered);
    }
}
