#include "ConsoleUi.h"

MessageAnswer ConsoleMessageBoxes::Show(const std::string& text, MessageIcon /*icon*/,
                                        MessageButtons buttons) {
    m_err << text << '\n' << std::flush;
    m_last = text;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void ConsoleProgressWindow::Create() {
    if (m_enabled) {
        m_err << "\rЗагрузка данных...   " << std::flush;
        m_shown = true;
    }
}

void ConsoleProgressWindow::SetRange(int lo, int hi) {
    m_lo = lo;
    m_hi = hi;
}

void ConsoleProgressWindow::SetPos(int pos) {
    if (!m_shown) {
        return;
    }
    const int span = m_hi - m_lo;
    const int percent = span > 0 ? (pos - m_lo) * 100 / span : 0;
    m_err << "\rЗагрузка данных: " << percent << "%   " << std::flush;
}

void ConsoleProgressWindow::Destroy() {
    if (m_shown) {
        m_err << '\n' << std::flush;
        m_shown = false;
    }
}
