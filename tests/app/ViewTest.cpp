#include "AppFixture.h"
#include "CommandIds.h"
#include "DataLoggerDoc.h"
#include "DataLoggerView.h"
#include "IniFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<CDataLoggerView>(doc, dir / "loggerconfig.ini");
        view->SetTitleHandler([this](const QString& t) { titles << t; });
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(WaitUntil([&] { return view->WindowImage().size() == QSize(400, 300); }));
    }

    void SetRecording(int n) {
        LoggerConfig config;
        config.periodSec = 10;
        SetClockStamp(config, CivilDateTime{2020, 1, 2, 3, 4, 5});
        std::vector<std::int16_t> samples;
        for (int i = 0; i < n; ++i)
            samples.push_back(static_cast<std::int16_t>(100 + i % 50));
        config.recordedCount = static_cast<std::uint32_t>(n);
        doc.SetRecording(config, std::move(samples));
    }

    TempDir dir;
    CDataLoggerDoc doc;
    std::unique_ptr<CDataLoggerView> view;
    QStringList titles;
};

QString U(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

TEST_F(ViewTest, NeverErasesItsBackground) {
    EXPECT_TRUE(view->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_FALSE(view->autoFillBackground());
}

TEST_F(ViewTest, ConstructionWritesTheSettingsBack) {
    IniFile ini(dir / "loggerconfig.ini");
    EXPECT_EQ(ini.ReadInt("VIEW CONFIG", "SELECTBACK", -1), 0);
    EXPECT_EQ(ini.ReadInt("VIEW CONFIG", "MASKENABLE", -1), 0);
}

TEST_F(ViewTest, PaintEventsOnlyShowTheImageUntilTheChartIsInvalidated) {
    SetRecording(200);
    view->InvalidateChart();
    EXPECT_EQ(view->FullPaintCount(), 1);
    EXPECT_TRUE(doc.m_bDrawn);

    // Something drawn straight into the window's image stays through plain paint events.
    view->WindowImage().setPixel(5, 5, qRgb(1, 2, 3));
    view->update();
    QCoreApplication::processEvents();
    const QImage shown = view->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(5, 5)), QColor(1, 2, 3));
    EXPECT_EQ(view->FullPaintCount(), 1);

    view->InvalidateChart();
    EXPECT_EQ(view->FullPaintCount(), 2);
    EXPECT_NE(QColor(view->WindowImage().pixel(5, 5)), QColor(1, 2, 3));
}

TEST_F(ViewTest, ResizeRedrawsTheChartAtTheNewSize) {
    SetRecording(200);
    view->InvalidateChart();
    const int paints = view->FullPaintCount();
    view->resize(500, 320);
    ASSERT_TRUE(WaitUntil([&] { return view->FullPaintCount() > paints; }));
    EXPECT_EQ(view->WindowImage().size(), QSize(500, 320));
}

TEST_F(ViewTest, TitleIsRebuiltOnceByTheFirstFullPaintAfterAFileName) {
    view->InvalidateChart(); // empty: no title
    doc.SetFileName("run1.rec0");
    view->InvalidateChart();
    EXPECT_TRUE(titles.isEmpty()); // the empty chart leaves it pending
    SetRecording(20);
    view->InvalidateChart();
    view->InvalidateChart();
    EXPECT_EQ(titles, QStringList{U("Конфигуратор ВЕЛТА Термикс-Т [run1.rec0]")});
}

TEST_F(ViewTest, ContextMenuHasItsOwnTextsAndMarksOnlyExactOnes) {
    IniFile(dir / "loggerconfig.ini").WriteInt("VIEW CONFIG", "YGRIDENABLE", 2);
    view = std::make_unique<CDataLoggerView>(doc, dir / "loggerconfig.ini");
    std::unique_ptr<QMenu> menu = view->MakeContextMenu();
    QStringList items;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            items << QStringLiteral("-");
        else
            items << QStringLiteral("%1 %2%3")
                         .arg(a->data().toInt())
                         .arg(a->text())
                         .arg(a->isChecked() ? QStringLiteral(" *") : QString());
    }
    EXPECT_EQ(items, (QStringList{
                         U("32797 Температура *"),
                         U("32798 Нижняя аварийная граница температуры *"),
                         U("32799 Верхняя аварийная граница температуры *"),
                         U("-"),
                         U("32810 Полностью черный *"),
                         U("32811 Полностью белый"),
                         U("32823 Черный и красный"),
                         U("32824 Черный и синий"),
                         U("-"),
                         U("32820 Ось Х *"),
                         U("32821 Ось Y"),
                         U("-"),
                         U("32822 Точки измерения на графике"),
                     }));
    EXPECT_EQ(view->IsCommandChecked(ID_GRID_Y), std::optional<bool>(true));

    // A chosen item runs like the menu bar's command: a stored 2 toggles to 1.
    menu->actions()[10]->trigger();
    EXPECT_EQ(view->Settings().m_nGridY, 1);
    EXPECT_EQ(IniFile(dir / "loggerconfig.ini").ReadInt("VIEW CONFIG", "YGRIDENABLE", -1), 1);
}

TEST_F(ViewTest, OtherCommandsAreNotViewCommands) {
    EXPECT_FALSE(view->OnViewCommand(ID_FILE_OPEN));
    EXPECT_FALSE(view->IsCommandChecked(ID_ZOOM_OUT).has_value());
}

TEST_F(ViewTest, ZoomCommandsWithoutARecordingDoNothing) {
    const int paints = view->FullPaintCount();
    view->OnZoomOut();
    view->OnViewAll();
    EXPECT_EQ(view->FullPaintCount(), paints);
}
