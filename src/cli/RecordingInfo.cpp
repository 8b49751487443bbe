#include "RecordingInfo.h"

#include "DataLoggerDoc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Shortest text that reads back as the same float; JSON has no NaN or infinity.
std::string FloatText(float v, const char* notFinite) {
    if (!std::isfinite(v)) {
        return notFinite;
    }
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Tenths(int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v * 0.1);
    return buf;
}

std::string StampText(const CivilDateTime& t, const char* format) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, t.day, t.month, t.year, t.hour, t.minute, t.second);
    return buf;
}

std::string IsoStamp(const CivilDateTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

struct MinMax {
    int min = 0;
    int max = 0;
};

MinMax Extremes(const CDataLoggerDoc& doc) {
    const auto& s = doc.Samples();
    if (s.empty()) {
        return {};
    }
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    return {*lo, *hi};
}

} // namespace

std::string RecordingInfoText(const CDataLoggerDoc& doc) {
    const LoggerConfig& c = doc.m_config;
    const std::string unit = IsFahrenheit(c) ? " °F" : " °C";
    const MinMax m = Extremes(doc);
    std::string out;
    out += "Имя логгера: " + LoggerName(c) + "\n";
    out += "Начало записи: " + StampText(ClockStamp(c), "%02d-%02d-%04d %02d:%02d:%02d") + "\n";
    out += "Период регистрации: " + std::to_string(c.periodSec) + " с\n";
    out += "Количество значений: " + std::to_string(doc.m_nCount) + "\n";
    out += "Единицы измерения:" + unit + "\n";
    out += "Нижняя аварийная граница: " + FloatText(c.tempLowAlarm, "-") + unit + "\n";
    out += "Верхняя аварийная граница: " + FloatText(c.tempHighAlarm, "-") + unit + "\n";
    out += "Минимум: " + Tenths(m.min) + unit + "\n";
    out += "Максимум: " + Tenths(m.max) + unit + "\n";
    out += "Верх оси: " + Tenths(doc.m_nTop) + unit + "\n";
    out += "Низ оси: " + Tenths(doc.m_nBottom) + unit + "\n";
    return out;
}

std::string RecordingInfoJson(const CDataLoggerDoc& doc) {
    const LoggerConfig& c = doc.m_config;
    const MinMax m = Extremes(doc);
    std::string out = "{";
    out += "\"name\":" + JsonString(LoggerName(c));
    out += ",\"start\":\"" + IsoStamp(ClockStamp(c)) + "\"";
    out += ",\"periodSec\":" + std::to_string(c.periodSec);
    out += ",\"count\":" + std::to_string(doc.m_nCount);
    out += std::string(",\"unit\":\"") + (IsFahrenheit(c) ? "F" : "C") + "\"";
    out += ",\"lowAlarm\":" + FloatText(c.tempLowAlarm, "null");
    out += ",\"highAlarm\":" + FloatText(c.tempHighAlarm, "null");
    out += ",\"min\":" + std::to_string(m.min);
    out += ",\"max\":" + std::to_string(m.max);
    out += ",\"axisTop\":" + std::to_string(doc.m_nTop);
    out += ",\"axisBottom\":" + std::to_string(doc.m_nBottom);
    return out + "}\n";
}
