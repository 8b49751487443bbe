#pragma once

#include <string>

class CDataLoggerDoc;

// What `info` prints of a loaded recording: as lines for a reader, or as one JSON object.
// Temperatures are tenths of a degree in the recording's unit; the alarm limits are degrees.
std::string RecordingInfoText(const CDataLoggerDoc& doc);
std::string RecordingInfoJson(const CDataLoggerDoc& doc);
