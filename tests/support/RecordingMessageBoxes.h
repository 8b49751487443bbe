#pragma once

#include "MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

// Records every message shown and answers Yes/No questions from a queue (No when empty).
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;

    std::vector<std::string> Texts() const;
};
