#include "ChartPainter.h"

#include "AppTitle.h"
#include "ChartDrawing.h"
#include "DataLoggerDoc.h"

#include <QPainter>
#include <algorithm>

namespace {

ChartWindow WindowOf(const CDataLoggerDoc& doc) {
    return {doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom};
}

// The samples the window may read: never more than the array holds.
int UsableCount(const CDataLoggerDoc& doc) {
    return std::min<int>(doc.m_nCount, static_cast<int>(doc.Samples().size()));
}

bool CanDraw(const ChartLayout& layout, const CDataLoggerDoc& doc) {
    return HasRoomForChart(layout, doc.m_nCount) &&
           IsDrawableWindow(WindowOf(doc), UsableCount(doc));
}

} // namespace

ChartPaintReport PaintChart(QImage& target, CDataLoggerDoc& doc, const ViewSettings& settings,
                            const ChartPaintHooks& hooks) {
    ChartPaintReport report;
    const QSize size = target.size();
    report.layout = ComputeLayout(size.width(), size.height());

    auto drawEmpty = [&] {
        report.outcome = ChartPaintReport::Outcome::Empty;
        if (target.isNull()) {
            return report; // a window of no pixels has nothing to show
        }
        QPainter p(&target);
        PrepareChartPainter(p);
        DrawEmptyChart(p, size);
        return report;
    };

    if (!CanDraw(report.layout, doc)) {
        return drawEmpty();
    }
    if (hooks.bandDragging && hooks.bandDragging()) {
        report.outcome = ChartPaintReport::Outcome::Skipped;
        return report;
    }
    if (doc.m_bTitlePending) {
        report.title = std::string(kAppTitle) + " [" + doc.m_strFileName + "]";
        doc.m_bTitlePending = false;
    }
    if (hooks.applyPendingZoom) {
        hooks.applyPendingZoom(report.layout);
        // A zoom never leaves a window that cannot be drawn; should one, show nothing of it.
        if (!CanDraw(report.layout, doc)) {
            return drawEmpty();
        }
    }

    QPainter p(&target);
    PrepareChartPainter(p);
    ChartStyle style;
    style.colors = SchemeColors(settings);
    const ChartData data{doc.Samples(), WindowOf(doc), &doc.m_config};
    const ChartDrawResult drawn = DrawChart(p, size, data, settings, style);
    report.markersOn = drawn.markersOn;
    report.outcome = ChartPaintReport::Outcome::Full;
    doc.m_bDrawn = true;
    return report;
}
