// Full screen paints of the largest recording.
#include "ChartDrawing.h"
#include "ChartPainter.h"
#include "DataLoggerDoc.h"
#include "LargestRecording.h"
#include "ViewSettings.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSamples = kLargestCount;

LoggerConfig Config() {
    return LargestRunConfig();
}
std::vector<std::int16_t> LongRun() {
    return LargestRunSamples();
}

void BM_FullPaint(benchmark::State& state) {
    CDataLoggerDoc doc;
    doc.SetRecording(Config(), LongRun());
    const ViewSettings settings;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        PaintChart(image, doc, settings);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// The same with a new off-screen picture for every paint.
void BM_FullPaintNewImage(benchmark::State& state) {
    CDataLoggerDoc doc;
    doc.SetRecording(Config(), LongRun());
    const ViewSettings settings;
    for (auto _ : state) {
        QImage image(1920, 1080, QImage::Format_RGB32);
        PaintChart(image, doc, settings);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullPaintNewImage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// The reference: one QPainter call per sample step.
void BM_FullPaintSegmentBySegment(benchmark::State& state) {
    const std::vector<std::int16_t> samples = LongRun();
    const LoggerConfig config = Config();
    const ChartData data{samples, {1, kSamples, 400, -100}, &config};
    const ViewSettings settings;
    ChartStyle style;
    style.colors = SchemeColors(settings);
    style.traceMode = TraceMode::Segments;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        PrepareChartPainter(p);
        DrawChart(p, image.size(), data, settings, style);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullPaintSegmentBySegment)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

} // namespace
