#pragma once

#include "MessageBoxes.h"

class QWidget;

// Real message boxes, captioned with the application's title.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

private:
    QWidget* m_parent;
};
