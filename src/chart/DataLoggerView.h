#pragma once

#include "IniFile.h"
#include "ViewSettings.h"

#include <QImage>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class CDataLoggerDoc;
class ChartInteraction;
class QMenu;

// The chart view. It keeps an image of what the window shows: a full paint draws the chart
// off-screen and puts it into that image, the band, cursor line and readout are drawn into it
// directly, and every paint event only copies it to the screen. The background is never
// erased; the image covers the whole client area.
class CDataLoggerView final : public QWidget {
    Q_OBJECT
public:
    // Reads "VIEW CONFIG" of the settings file and writes it back.
    CDataLoggerView(CDataLoggerDoc& doc, std::filesystem::path settingsFile,
                    QWidget* parent = nullptr);
    ~CDataLoggerView() override;

    // The chart view in the main window's client area; nullptr when there is none. Dialogs
    // that change the recording repaint the chart through it.
    static CDataLoggerView* GetActiveChartView();

    QImage& WindowImage() { return m_windowImage; }
    CDataLoggerDoc& Document() { return m_doc; }
    const ViewSettings& Settings() const { return m_settings; }
    ChartInteraction& Interaction() { return *m_interaction; }

    // The whole chart is drawn anew and shown at once (when the view is visible; else at its
    // next paint).
    void InvalidateChart();

    // The display commands: changes the setting, writes the settings file and repaints. False
    // for any other command.
    bool OnViewCommand(int commandId);
    // The menu bar's check mark for a display command; empty for any other command.
    std::optional<bool> IsCommandChecked(int commandId) const;

    void OnZoomOut();
    void OnViewAll();

    // Receives the main window's new title when a full paint rebuilds it.
    void SetTitleHandler(std::function<void(const QString&)> handler);

    // Full chart paints that reached the window so far.
    int FullPaintCount() const { return m_fullPaints; }

    // The context menu with its own texts and check marks; its actions run the commands.
    std::unique_ptr<QMenu> MakeContextMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void PaintFullChart();

    CDataLoggerDoc& m_doc;
    IniFile m_settingsFile;
    ViewSettings m_settings;
    QImage m_windowImage;
    // The next paint event must draw the chart, not only show the image.
    bool m_bChartInvalid = true;
    int m_fullPaints = 0;
    std::function<void(const QString&)> m_titleHandler;
    std::unique_ptr<ChartInteraction> m_interaction;
};
