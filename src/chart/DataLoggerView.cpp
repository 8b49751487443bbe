#include "DataLoggerView.h"

#include "ChartInteraction.h"
#include "ChartPainter.h"
#include "DataLoggerDoc.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

CDataLoggerView::CDataLoggerView(CDataLoggerDoc& doc, std::filesystem::path settingsFile,
                                 QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settingsFile(std::move(settingsFile)),
      m_settings(LoadViewSettings(m_settingsFile)) {
    // The paint covers every pixel: no erase, no flash of the window colour.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // What the window shows before its first paint: the scheme read at construction.
    const Rgb window = SchemeColors(m_settings).m_clrWindow;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(window.r, window.g, window.b));
    setPalette(palette);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    ChartInteraction::Host host;
    host.windowImage = [this]() -> QImage& { return m_windowImage; };
    host.document = [this]() -> CDataLoggerDoc& { return m_doc; };
    host.settings = [this]() -> const ViewSettings& { return m_settings; };
    host.showPixels = [this](const QRect& r) { update(r); };
    host.repaintChart = [this] { InvalidateChart(); };
    host.pointerPosition = [this] { return mapFromGlobal(QCursor::pos()); };
    m_interaction = std::make_unique<ChartInteraction>(std::move(host));
}

CDataLoggerView::~CDataLoggerView() = default;

CDataLoggerView* CDataLoggerView::GetActiveChartView() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<QMainWindow*>(top)) {
            if (auto* view = qobject_cast<CDataLoggerView*>(frame->centralWidget()))
                return view;
        }
    }
    return nullptr;
}

void CDataLoggerView::InvalidateChart() {
    m_bChartInvalid = true;
    repaint();
}

bool CDataLoggerView::OnViewCommand(int commandId) {
    if (!ApplyViewCommand(m_settings, commandId, m_settingsFile))
        return false;
    InvalidateChart();
    return true;
}

std::optional<bool> CDataLoggerView::IsCommandChecked(int commandId) const {
    return ViewCommandChecked(m_settings, commandId);
}

void CDataLoggerView::OnZoomOut() {
    m_interaction->ZoomOut();
}

void CDataLoggerView::OnViewAll() {
    m_interaction->ViewAll();
}

void CDataLoggerView::SetTitleHandler(std::function<void(const QString&)> handler) {
    m_titleHandler = std::move(handler);
}

std::unique_ptr<QMenu> CDataLoggerView::MakeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const ViewMenuItem& item : ViewContextMenu(m_settings)) {
        if (item.commandId == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setCheckable(true);
        action->setChecked(item.checked);
        action->setData(item.commandId);
        const int id = item.commandId;
        connect(action, &QAction::triggered, this, [this, id] { OnViewCommand(id); });
    }
    return menu;
}

void CDataLoggerView::paintEvent(QPaintEvent* event) {
    if (m_bChartInvalid || m_windowImage.size() != size())
        PaintFullChart();
    QPainter screen(this);
    screen.drawImage(event->rect(), m_windowImage, event->rect());
}

void CDataLoggerView::PaintFullChart() {
    QImage offscreen(size(), QImage::Format_RGB32);
    const ChartPaintReport report =
        PaintChart(offscreen, m_doc, m_settings, m_interaction->PaintHooks(offscreen.size()));
    m_interaction->ChartPainted(report);
    // While a band is dragged the window keeps what it shows, band included.
    if (report.outcome == ChartPaintReport::Outcome::Skipped)
        return;
    m_windowImage.swap(offscreen);
    m_bChartInvalid = false;
    if (report.title && m_titleHandler)
        m_titleHandler(QString::fromStdString(*report.title));
    if (report.outcome == ChartPaintReport::Outcome::Full)
        ++m_fullPaints;
}

void CDataLoggerView::resizeEvent(QResizeEvent* event) {
    m_bChartInvalid = true;
    QWidget::resizeEvent(event);
}

// The mouse work (band, cursor line, readout) lives in ChartInteraction; the view only
// forwards what it is told.
void CDataLoggerView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_interaction->OnLeftButtonDown(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void CDataLoggerView::mouseMoveEvent(QMouseEvent* event) {
    m_interaction->OnMouseMove(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void CDataLoggerView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_interaction->OnLeftButtonUp(event->position().toPoint());
    QWidget::mouseReleaseEvent(event);
}

void CDataLoggerView::leaveEvent(QEvent* event) {
    m_interaction->OnLeave();
    QWidget::leaveEvent(event);
}

// Qt tells a child widget of its window's activation by WindowActivate and WindowDeactivate;
// ActivationChange goes to the top-level window alone.
bool CDataLoggerView::event(QEvent* event) {
    const bool activation =
        event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
    if (activation && m_interaction)
        m_interaction->OnActivationChanged();
    return QWidget::event(event);
}

void CDataLoggerView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = MakeContextMenu();
    menu->exec(event->globalPos());
}
