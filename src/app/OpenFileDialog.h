#pragma once

#include <QString>

class QWidget;

// Asks the user for a recording to open; tests answer without a window.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // The chosen full path; empty when the user cancelled.
    virtual QString AskOpenPath(QWidget* parent) = 0;
};

class QtOpenFileDialog final : public OpenFileDialog {
public:
    QString AskOpenPath(QWidget* parent) override;
};
