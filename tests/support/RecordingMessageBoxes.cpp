#include "RecordingMessageBoxes.h"

MessageAnswer RecordingMessageBoxes::Show(const std::string& text, MessageIcon icon,
                                          MessageButtons buttons) {
    shown.push_back({text, icon, buttons});
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    if (answers.empty()) {
        return MessageAnswer::No;
    }
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::vector<std::string> RecordingMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    for (const auto& s : shown) {
        texts.push_back(s.text);
    }
    return texts;
}
