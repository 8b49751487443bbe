// The band, the zoom commands and the readout through the real chart view's events.
#include "ChartInteraction.h"
#include "DataLoggerDoc.h"
#include "DataLoggerView.h"
#include "TempDir.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

ChartWindow WindowOf(const CDataLoggerDoc& doc) {
    return {doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom};
}

class ViewMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoggerConfig config;
        SetClockStamp(config, {2015, 3, 5, 10, 0, 0});
        config.periodSec = 60;
        config.recordedCount = 801;
        std::vector<std::int16_t> samples(801);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(200 + std::lround(150 * std::sin(i / 40.0)));
        }
        doc.SetRecording(config, std::move(samples));
        view = std::make_unique<CDataLoggerView>(doc, dir / "loggerconfig.ini");
        view->resize(1000, 600);
        view->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return doc.m_bDrawn; }, 5000));
        ASSERT_EQ(view->WindowImage().size(), QSize(1000, 600));
        chart = view->WindowImage();
    }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(p), view->mapToGlobal(QPointF(p)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(view.get(), &event);
    }
    void Move(QPoint p, Qt::MouseButtons held = Qt::NoButton) {
        Mouse(QEvent::MouseMove, p, Qt::NoButton, held);
    }
    void Press(QPoint p) { Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Release(QPoint p) { Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

    TempDir dir;
    CDataLoggerDoc doc;
    std::unique_ptr<CDataLoggerView> view;
    QImage chart;
};

TEST_F(ViewMouseTest, DragZoomsAndTheCommandsStepBack) {
    const int paints = view->FullPaintCount();
    Move({300, 200});
    EXPECT_TRUE(view->Interaction().IsCursorShown());
    Press({300, 200});
    EXPECT_EQ(view->WindowImage(), chart); // the press took the line away
    Move({400, 100}, Qt::LeftButton);
    Move({500, 30}, Qt::LeftButton);
    EXPECT_NE(view->WindowImage(), chart);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->FullPaintCount(), paints); // no chart paint during the drag
    Release({500, 30});
    EXPECT_EQ(view->FullPaintCount(), paints + 1);
    EXPECT_EQ(WindowOf(doc), (ChartWindow{201, 401, 429, 267}));

    view->OnZoomOut();
    EXPECT_EQ(WindowOf(doc), (ChartWindow{1, 801, 400, 0}));
    EXPECT_EQ(view->FullPaintCount(), paints + 2);
    EXPECT_EQ(view->WindowImage(), chart);

    Press({300, 200});
    Move({500, 30}, Qt::LeftButton);
    Release({500, 30});
    Press({300, 200});
    Move({500, 300}, Qt::LeftButton);
    Release({500, 300});
    EXPECT_EQ(doc.ZoomDepth(), 3);
    view->OnViewAll();
    EXPECT_EQ(doc.ZoomDepth(), 1);
    EXPECT_EQ(view->WindowImage(), chart);
}

// The view is a child of the main window, and Qt tells a child of its window's activation
// only by WindowActivate and WindowDeactivate.
TEST_F(ViewMouseTest, WindowActivationEitherWayDropsTheBand) {
    view.reset();
    QWidget window;
    auto* child = new CDataLoggerView(doc, dir / "loggerconfig.ini", &window);
    child->setGeometry(0, 0, 1000, 600);
    window.resize(1000, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return child->FullPaintCount() > 0; }, 5000));
    const QImage childChart = child->WindowImage();
    const auto drag = [&] {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 200), QPointF(300, 200),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(400, 300), QPointF(400, 300), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child, &move);
        ASSERT_TRUE(child->Interaction().IsDragging());
        ASSERT_NE(child->WindowImage(), childChart);
    };

    QApplication::setActiveWindow(&window);
    drag();
    QApplication::setActiveWindow(nullptr);
    EXPECT_FALSE(child->Interaction().IsDragging());
    EXPECT_EQ(child->WindowImage(), childChart);

    drag();
    QApplication::setActiveWindow(&window);
    EXPECT_FALSE(child->Interaction().IsDragging());
    EXPECT_EQ(child->WindowImage(), childChart);

    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(400, 300), QPointF(400, 300),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(child, &release);
    EXPECT_EQ(doc.ZoomDepth(), 1);
}

TEST_F(ViewMouseTest, ReadoutFollowsThePointer) {
    Move({150, 300});
    ASSERT_TRUE(view->Interaction().ReadoutTimer().isActive());
    // The timer draws the text under the plot within a tick or two.
    const int top = 480 + 2 * (17 + 5);
    const auto textRowsChanged = [&] {
        const QImage& now = view->WindowImage();
        for (int y = top; y < top + 22; ++y) {
            for (int x = 0; x < 1000; ++x) {
                if (now.pixel(x, y) != chart.pixel(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(textRowsChanged, 5000));
    const QImage first = view->WindowImage();
    Move({700, 300});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QImage& now = view->WindowImage();
            return now.copy(0, top, 1000, 22) != first.copy(0, top, 1000, 22);
        },
        5000));
}

} // namespace
