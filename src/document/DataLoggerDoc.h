#pragma once

#include "AxisRange.h"
#include "LoggerConfig.h"
#include "MessageBoxes.h"
#include "ZoomLevel.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

// What Ctrl+S may do. The document never writes less than the whole recording.
enum class SaveAction {
    Nothing,     // no recording: leave every file alone
    WriteToPath, // the recording came from this file: write it there again in full
    AskForPath,  // a downloaded recording: ask for a name, then write it in full
};

struct SaveDecision {
    SaveAction action = SaveAction::Nothing;
    std::string path; // with WriteToPath
};

// The one recording of the program: its block and samples, the window the chart shows and the
// stack of earlier windows. A recording enters only through SetRecording.
class CDataLoggerDoc {
public:
    CDataLoggerDoc() = default;
    CDataLoggerDoc(const CDataLoggerDoc&) = delete;
    CDataLoggerDoc& operator=(const CDataLoggerDoc&) = delete;

    // Replaces the recording, picks the axis range and resets the window and the zoom stack to
    // the whole recording. The samples decide the count: the block's recordedCount is made to
    // agree with them. Leaves the file name, the title flag and the last start mode alone.
    void SetRecording(const LoggerConfig& config, std::vector<std::int16_t> samples);

    // The file name (no folder) for the title; the next full paint rebuilds the title.
    void SetFileName(const std::string& name);

    // Checks the path, then reads the file. A file that is missing, not named ".rec0", not
    // readable or cut short is refused with its message and changes nothing. An empty file,
    // and one that is no recording at all (after its message), change nothing and count as
    // opened.
    bool OpenRecordingFile(const std::string& fullPath, MessageBoxes& boxes);

    // Reads a recording from an opened file; path names it in messages and gives the title.
    // False only when the file fails part-way; see OpenRecordingFile.
    bool ReadRecordingFile(std::istream& in, const std::string& path, MessageBoxes& boxes);

    // Fewer than 2 samples is no recording for anyone: nothing to paint, zoom, read or export.
    bool HasRecording() const { return m_nCount >= 2; }

    // Entry k - 1 is sample k.
    const std::vector<std::int16_t>& Samples() const { return m_samples; }

    // Zoom stack. The window fields always equal the top entry.
    void PushZoom(int first, int last, int top, int bottom);
    bool ZoomOut(); // false when there is nothing to go back to
    bool ViewAll(); // false when already at the whole recording
    int ZoomDepth() const;
    const ZoomLevel* ZoomTop() const { return m_pZoomStack.get(); }

    // Ctrl+S: what to do, and the one way to do it.
    SaveDecision DecideSave() const;
    // Writes the whole recording in the recording file format (never an empty or shorter
    // file; an existing file survives a failure), under RecordingPathFor(path). Empty on
    // success, else the error to show (warning icon). On success the document belongs to that
    // file and shows its name.
    std::string SaveRecordingFile(const std::string& path);

    // Full path of the file the recording was read from or saved to; empty for a download.
    const std::string& PathName() const { return m_strPathName; }

    std::uint8_t m_nLastStartMode = 0; // 0 until the setup has written a block
    int m_nCount = 0;
    int m_nFirst = 0;
    int m_nLast = 0;
    int m_nTop = 400;
    int m_nBottom = 0;
    LoggerConfig m_config{};
    bool m_bDrawn = false;
    std::string m_strFileName;
    bool m_bTitlePending = false;

private:
    void ShowWindow(const ZoomLevel& level);

    std::unique_ptr<ZoomLevel> m_pZoomStack;
    std::vector<std::int16_t> m_samples;
    std::string m_strPathName;
};
