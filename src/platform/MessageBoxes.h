#pragma once

#include <string>

enum class MessageIcon { None, Warning, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Every message the program shows goes through here, so tests can read and answer them.
// Texts are UTF-8.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const std::string& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};
