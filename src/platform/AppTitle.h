#pragma once

// The application's name: window title and every message box caption.
inline constexpr const char* kAppTitle = "Конфигуратор ВЕЛТА Термикс-Т";
