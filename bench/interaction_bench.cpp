// The mouse's work over the largest recording at 1920 x 1080: none of it repaints the chart.
#include "ChartInteraction.h"
#include "ChartPainter.h"
#include "DataLoggerDoc.h"
#include "LargestRecording.h"
#include "ViewSettings.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A painted chart in a window image and the interaction on it, as the view holds them.
struct Screen {
    Screen() : image(1920, 1080, QImage::Format_RGB32) {
        doc.SetRecording(LargestRunConfig(), LargestRunSamples());
        ChartInteraction::Host host;
        host.windowImage = [this]() -> QImage& { return image; };
        host.document = [this]() -> CDataLoggerDoc& { return doc; };
        host.settings = [this]() -> const ViewSettings& { return settings; };
        host.showPixels = [this](const QRect& r) { shown = shown.united(r); };
        host.repaintChart = [this] { ++repaints; };
        host.pointerPosition = [] { return QPoint(960, 540); };
        interaction = std::make_unique<ChartInteraction>(std::move(host));
        interaction->ChartPainted(
            PaintChart(image, doc, settings, interaction->PaintHooks(image.size())));
    }

    void Check(benchmark::State& state) const {
        if (repaints != 0) {
            state.SkipWithError("the chart was repainted");
        }
    }

    CDataLoggerDoc doc;
    ViewSettings settings;
    QImage image;
    QRect shown;
    int repaints = 0;
    std::unique_ptr<ChartInteraction> interaction;
};

// Plot 192..1728 x 108..864: the cursor line is erased and drawn anew on every move.
void BM_MouseMoveCursorLine(benchmark::State& state) {
    Screen screen;
    int x = 200;
    for (auto _ : state) {
        screen.interaction->OnMouseMove({x, 500});
        x = x >= 1700 ? 200 : x + 7;
    }
    screen.Check(state);
}
BENCHMARK(BM_MouseMoveCursorLine)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_ReadoutTick(benchmark::State& state) {
    Screen screen;
    screen.interaction->OnMouseMove({700, 500});
    for (auto _ : state) {
        screen.interaction->ReadoutTick();
    }
    screen.Check(state);
}
BENCHMARK(BM_ReadoutTick)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly();

// A band over nearly the whole drag area, its corner moving back and forth.
void BM_BandMove(benchmark::State& state) {
    Screen screen;
    screen.interaction->OnLeftButtonDown({100, 60});
    bool far = false;
    for (auto _ : state) {
        screen.interaction->OnMouseMove(far ? QPoint(1820, 915) : QPoint(1800, 900));
        far = !far;
    }
    if (!screen.interaction->IsDragging()) {
        state.SkipWithError("no band");
    }
    screen.Check(state);
}
BENCHMARK(BM_BandMove)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly();

} // namespace
