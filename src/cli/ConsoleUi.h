#pragma once

#include "MessageBoxes.h"
#include "ProgressWindow.h"

#include <ostream>
#include <string>

// Message boxes of a program without windows: each text goes to the error stream on its own
// line. Nobody is there to answer a question, so it is answered No.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    explicit ConsoleMessageBoxes(std::ostream& err) : m_err(err) {}

    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

    // The last text shown, so a caller need not repeat it.
    const std::string& LastText() const { return m_last; }

private:
    std::ostream& m_err;
    std::string m_last;
};

// A progress bar drawn as a percentage on one line of the error stream; silent unless that
// stream is a terminal, so redirected output stays clean.
class ConsoleProgressWindow final : public ProgressWindow {
public:
    ConsoleProgressWindow(std::ostream& err, bool enabled) : m_err(err), m_enabled(enabled) {}

    void Create() override;
    void SetRange(int lo, int hi) override;
    void SetPos(int pos) override;
    void Destroy() override;

private:
    std::ostream& m_err;
    bool m_enabled;
    bool m_shown = false;
    int m_lo = 0;
    int m_hi = 100;
};
