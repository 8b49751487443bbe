#include "ChartDrawing.h"

#include "ChartFonts.h"
#include "LoggerConfig.h"

#include <QLine>
#include <QPainter>
#include <QPen>
#include <vector>

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Geometric pens: width in pixels, square ends.
QPen GeometricPen(Rgb colour, int width, Qt::PenStyle style) {
    QPen pen(ToQColor(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(false);
    return pen;
}

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Bottom };

// Text on an opaque cell of the background colour, the cell being the text's advance wide and
// the font's cell high, placed by its anchor.
void DrawCellText(QPainter& p, const CellFont& f, PixelPoint anchor, HAlign h, VAlign v,
                  const QString& text, const QColor& background) {
    const int width = f.Advance(text);
    int left = anchor.x;
    if (h == HAlign::Centre) {
        left -= width / 2;
    } else if (h == HAlign::Right) {
        left -= width;
    }
    const int top = v == VAlign::Top ? anchor.y : anchor.y - f.cellHeight;
    p.fillRect(QRect(left, top, width, f.cellHeight), background);
    p.drawText(QPoint(left, top + f.ascent), text);
}

void DrawMarker(QPainter& p, PixelPoint c, int radius) {
    p.drawEllipse(QPointF(c.x, c.y), radius, radius);
}

// One line per sample step, markers at both ends before it: the order of the description.
void DrawTraceSegments(QPainter& p, const std::vector<PixelPoint>& pts, bool markers, int radius) {
    for (std::size_t j = 0; j + 1 < pts.size(); ++j) {
        if (markers) {
            DrawMarker(p, pts[j], radius);
            DrawMarker(p, pts[j + 1], radius);
        }
        p.drawLine(pts[j].x, pts[j].y, pts[j + 1].x, pts[j + 1].y);
    }
}

// The same pixels with far fewer calls. Line and markers have one colour, so their order does
// not matter, and each marker is drawn once. A long window puts many sample steps on one pixel
// column; such vertical steps chain end to end, and the union of square-ended vertical lines
// that chain is the one from the lowest to the highest of their points: a rectangle, w wide
// from x - w / 2 and w longer than the run, which is filled instead of stroked. The remaining
// lines go to the engine in one batch, which rasterises each by itself as drawLine does.
void DrawTraceBatched(QPainter& p, const std::vector<PixelPoint>& pts, bool markers, int radius) {
    const int w = std::max(1, p.pen().width());
    std::vector<QLine> lines;
    std::vector<QRect> runs;
    lines.reserve(pts.size() / 8 + 8);
    runs.reserve(pts.size() / 8 + 8);
    std::size_t j = 0;
    while (j + 1 < pts.size()) {
        const PixelPoint a = pts[j];
        if (pts[j + 1].x != a.x) {
            lines.emplace_back(a.x, a.y, pts[j + 1].x, pts[j + 1].y);
            ++j;
            continue;
        }
        int low = a.y;
        int high = a.y;
        while (j + 1 < pts.size() && pts[j + 1].x == a.x) {
            low = std::min(low, pts[j + 1].y);
            high = std::max(high, pts[j + 1].y);
            ++j;
        }
        runs.emplace_back(a.x - w / 2, low - w / 2, w, high - low + w);
    }
    const QPen pen = p.pen();
    const QBrush brush = p.brush();
    if (!runs.empty()) {
        p.setPen(Qt::NoPen);
        p.setBrush(pen.color());
        p.drawRects(runs.data(), static_cast<int>(runs.size()));
        p.setPen(pen);
        p.setBrush(brush);
    }
    if (!lines.empty()) {
        p.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    if (markers) {
        for (const PixelPoint& pt : pts) {
            DrawMarker(p, pt, radius);
        }
    }
}

void FillOutside(QPainter& p, QSize size, const QRect& kept, const QColor& colour) {
    const int w = size.width();
    const int h = size.height();
    p.fillRect(QRect(0, 0, w, kept.top()), colour);
    p.fillRect(QRect(0, kept.bottom() + 1, w, h - kept.bottom() - 1), colour);
    p.fillRect(QRect(0, kept.top(), kept.left(), kept.height()), colour);
    p.fillRect(QRect(kept.right() + 1, kept.top(), w - kept.right() - 1, kept.height()), colour);
}

void FillFrame(QPainter& p, QSize size, int thickness, const QColor& colour) {
    const int w = size.width();
    const int h = size.height();
    p.fillRect(QRect(0, 0, w, thickness), colour);
    p.fillRect(QRect(0, h - thickness, w, thickness), colour);
    p.fillRect(QRect(0, 0, thickness, h), colour);
    p.fillRect(QRect(w - thickness, 0, thickness, h), colour);
}

} // namespace

void PrepareChartPainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setBackgroundMode(Qt::TransparentMode);
}

void DrawEmptyChart(QPainter& painter, QSize surface) {
    const QColor white(255, 255, 255);
    painter.fillRect(QRect(QPoint(0, 0), surface), white);
    // A 10-pixel frame centred on the edge shows its inner half.
    FillFrame(painter, surface, 5, QColor(212, 208, 200));
    FillFrame(painter, surface, 1, white);
}

ChartDrawResult DrawChart(QPainter& p, QSize surface, const ChartData& data,
                          const ViewSettings& settings, const ChartStyle& style) {
    const int W = surface.width();
    const int H = surface.height();
    const ChartLayout l = ComputeLayout(W, H);
    const ChartWindow& w = data.window;
    const ChartColors& c = style.colors;
    const QColor windowColour = ToQColor(c.m_clrWindow);

    ChartDrawResult result{l, settings.m_nShowMarkers != 0 && w.last - w.first <= 1000};
    const bool markersOn = result.markersOn;

    if (style.fillPlot) {
        p.fillRect(QRect(l.left, l.top, l.plotWidth, l.plotHeight), ToQColor(c.m_clrPlot));
    }

    const ChartScales s = MakeScales(l, w);
    const std::vector<TickMark> timeTicks = MakeTimeTicks(l, w.first, w.last, s.sx);
    const std::vector<TickMark> valueTicks = MakeValueTicks(l, w.top, w.bottom, s.sy);

    p.setBrush(Qt::NoBrush);
    p.setPen(GeometricPen(c.m_clrGrid, 1, Qt::DotLine));
    if (settings.m_nGridX == 1) {
        for (std::size_t i = 1; i < timeTicks.size(); ++i) {
            p.drawLine(timeTicks[i].position, l.bottom, timeTicks[i].position, l.top);
        }
    }
    if (settings.m_nGridY == 1) {
        for (std::size_t i = 1; i < valueTicks.size(); ++i) {
            p.drawLine(l.left, valueTicks[i].position, l.right, valueTicks[i].position);
        }
    }

    p.setPen(GeometricPen(c.m_clrAxis, 1, Qt::SolidLine));
    p.drawLine(l.left, l.bottom, l.left, l.top);
    p.drawLine(l.left, l.bottom, l.right, l.bottom);
    p.drawLine(l.left, l.top, l.right, l.top);
    p.drawLine(l.right, l.bottom, l.right, l.top);

    const QPen tracePen = GeometricPen(c.m_clrTrace, style.lineWidth, Qt::SolidLine);
    const QPen lowPen = GeometricPen(c.m_clrLowAlarm, style.lineWidth, Qt::DashDotDotLine);
    const QPen highPen = GeometricPen(c.m_clrHighAlarm, style.lineWidth, Qt::DashDotLine);
    const QBrush traceBrush(ToQColor(c.m_clrTrace));

    if (settings.m_nShowTemp != 0) {
        std::vector<PixelPoint> pts(static_cast<std::size_t>(w.last - w.first) + 1);
        for (int j = 0; j <= w.last - w.first; ++j) {
            pts[j] = SamplePixel(l, s, w, data.samples, j);
        }
        p.setPen(tracePen);
        p.setBrush(traceBrush);
        if (style.traceMode == TraceMode::Segments) {
            DrawTraceSegments(p, pts, markersOn, style.markerRadius);
        } else {
            DrawTraceBatched(p, pts, markersOn, style.markerRadius);
        }
        p.setBrush(Qt::NoBrush);
    }

    auto alarmLine = [&](float limit, const QPen& pen) {
        const std::optional<int> v = AlarmTenths(limit);
        if (v && w.bottom <= *v && *v <= w.top) {
            const int y = ValueY(l, s, w, *v);
            p.setPen(pen);
            p.drawLine(l.left, y, l.right, y);
        }
    };
    if (settings.m_nShowLowAlarm != 0) {
        alarmLine(data.config->tempLowAlarm, lowPen);
    }
    if (settings.m_nShowHighAlarm != 0) {
        alarmLine(data.config->tempHighAlarm, highPen);
    }

    // Whatever the trace, markers or wide pens drew beyond the kept region goes under.
    const QRect kept(QPoint(l.left - style.keepBefore, l.top - style.keepBefore),
                     QPoint(l.right + style.keepAfter, l.bottom + style.keepAfter));
    FillOutside(p, surface, kept, windowColour);
    if (style.clientBorder) {
        FillFrame(p, surface, 1, ToQColor(c.m_clrAxis));
    }

    const CellFont labelFont = MakeCellFont(l.labelHeight, p.device());
    p.setFont(labelFont.font);
    const QPen textPen(ToQColor(c.m_clrText));
    auto text = [&](const CellFont& f, PixelPoint at, HAlign h, VAlign v, const QString& t) {
        p.setPen(textPen);
        DrawCellText(p, f, at, h, v, t, windowColour);
    };

    // Legend: one slot for each line shown, packed from slot 0.
    struct LegendEntry {
        bool shown;
        const QPen* pen;
        const char* label;
        bool marker;
    };
    const LegendEntry legend[] = {
        {settings.m_nShowTemp != 0, &tracePen, kLegendTemperature, markersOn},
        {settings.m_nShowLowAlarm != 0, &lowPen, kLegendLowAlarm, false},
        {settings.m_nShowHighAlarm != 0, &highPen, kLegendHighAlarm, false},
    };
    int slot = 0;
    for (const LegendEntry& e : legend) {
        if (!e.shown) {
            continue;
        }
        const int x = LegendSlotX(W, slot++);
        p.setPen(*e.pen);
        p.drawLine(x, l.legendY, x + LegendLineLength(W), l.legendY);
        if (e.marker) {
            p.setBrush(traceBrush);
            DrawMarker(p, LegendMarkerCentre(W, l), style.markerRadius);
            p.setBrush(Qt::NoBrush);
        }
        text(labelFont, {x, l.legendY + l.tickLength}, HAlign::Left, VAlign::Top,
             QString::fromUtf8(e.label));
    }

    const QPen tickPen = GeometricPen(c.m_clrAxis, 1, Qt::SolidLine);
    const std::vector<bool> timeLabelled = ThinLabels(
        static_cast<int>(timeTicks.size()), LabelCapacity(l.plotWidth, labelFont.measureWidth));
    for (std::size_t i = 0; i < timeTicks.size(); ++i) {
        if (!timeLabelled[i]) {
            continue;
        }
        const int x = timeTicks[i].position;
        p.setPen(tickPen);
        p.drawLine(x, l.bottom, x, l.bottom + l.tickLength);
        const CivilDateTime t = SampleTime(*data.config, timeTicks[i].value);
        text(labelFont, {x, l.bottom + l.tickLength}, HAlign::Centre, VAlign::Top,
             QString::fromStdString(TimeLabel(t)));
        text(labelFont, {x, l.bottom + l.tickLength + l.labelHeight}, HAlign::Centre, VAlign::Top,
             QString::fromStdString(DateLabel(t)));
    }

    const bool anyLine = settings.m_nShowTemp != 0 || settings.m_nShowHighAlarm != 0 ||
                         settings.m_nShowLowAlarm != 0;
    if (anyLine) {
        const std::vector<bool> valueLabelled =
            ThinLabels(static_cast<int>(valueTicks.size()),
                       LabelCapacity(l.plotHeight, 2 * labelFont.measureHeight));
        for (std::size_t i = 0; i < valueTicks.size(); ++i) {
            if (!valueLabelled[i]) {
                continue;
            }
            const int y = valueTicks[i].position;
            text(labelFont, {l.left - l.tickLength, y}, HAlign::Right, VAlign::Bottom,
                 QString::fromStdString(ValueLabel(valueTicks[i].value)));
            p.setPen(tickPen);
            p.drawLine(l.left, y, l.left - l.tickLength, y);
        }
        text(labelFont, UnitLabelAnchor(l), HAlign::Right, VAlign::Bottom,
             QString::fromStdString(UnitLabel(*data.config)));
    }

    const CellFont titleFont = MakeCellFont(l.titleHeight, p.device());
    p.setFont(titleFont.font);
    text(titleFont, TitleAnchor(W, H), HAlign::Centre, VAlign::Bottom,
         QString::fromStdString(LoggerName(*data.config)));
    if (style.periodLine) {
        text(titleFont, {W / 2, l.bottom + 2 * l.tickLength + 2 * l.labelHeight}, HAlign::Centre,
             VAlign::Top, QString::fromStdString(PeriodLabel(*data.config, w.first, w.last)));
    }
    return result;
}
