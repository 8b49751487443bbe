#include "DataLoggerDoc.h"

#include "FileErrorText.h"
#include "RecordingFile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

namespace {

std::string WithPath(std::string pattern, const std::string& path) {
    if (const auto at = pattern.find("%s"); at != std::string::npos) {
        pattern.replace(at, 2, path);
    }
    return pattern;
}

// From the last dot of the last path element; a name that is all extension (".rec0") counts
// as one.
std::string ExtensionOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace

void CDataLoggerDoc::SetRecording(const LoggerConfig& config, std::vector<std::int16_t> samples) {
    if (samples.size() > kMaxRecordingSamples) {
        samples.resize(kMaxRecordingSamples);
    }
    const int n = static_cast<int>(samples.size());

    m_config = config;
    m_config.recordedCount = static_cast<std::uint32_t>(n);
    m_samples = std::move(samples);
    m_strPathName.clear();

    const bool fahrenheit = IsFahrenheit(m_config);
    if (n > 0) {
        const auto [lo, hi] = std::minmax_element(m_samples.begin(), m_samples.end());
        std::tie(m_nTop, m_nBottom) = ChooseAxisRange(*hi, *lo, fahrenheit, m_nBottom);
    } else {
        // No samples, no range to fit: the unit's first steps, as for a run at room temperature.
        std::tie(m_nTop, m_nBottom) = ChooseAxisRange(0, fahrenheit ? 320 : 0, fahrenheit, 0);
    }
    m_nCount = n;
    m_nFirst = 1;
    m_nLast = n;

    m_pZoomStack.reset();
    m_pZoomStack = std::make_unique<ZoomLevel>(m_nFirst, m_nLast, m_nTop, m_nBottom, nullptr);
    m_bDrawn = false;
}

void CDataLoggerDoc::SetFileName(const std::string& name) {
    m_strFileName = name;
    m_bTitlePending = true;
}

bool CDataLoggerDoc::OpenRecordingFile(const std::string& fullPath, MessageBoxes& boxes) {
    std::error_code ec;
    if (fullPath.empty() || !std::filesystem::exists(fullPath, ec)) {
        boxes.Show(WithPath(" %s файл не найден.", fullPath), MessageIcon::None,
                   MessageButtons::Ok);
        return false;
    }
    if (ExtensionOf(fullPath) != kRecordingExtension) {
        boxes.Show(WithPath("Доступ к %s запрещен.", fullPath), MessageIcon::None,
                   MessageButtons::Ok);
        return false;
    }
    // A folder or a pipe under a recording's name would fail or block the read.
    if (!std::filesystem::is_regular_file(fullPath, ec)) {
        boxes.Show(FileErrorText(EACCES, fullPath), MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    errno = 0;
    std::ifstream in(fullPath, std::ios::binary);
    if (!in) {
        boxes.Show(FileErrorText(errno != 0 ? errno : EACCES, fullPath), MessageIcon::Warning,
                   MessageButtons::Ok);
        return false;
    }
    return ReadRecordingFile(in, fullPath, boxes);
}

bool CDataLoggerDoc::ReadRecordingFile(std::istream& in, const std::string& path,
                                       MessageBoxes& boxes) {
    RecordingReadResult result = ReadRecording(in);
    switch (result.status) {
    case RecordingReadStatus::Ok:
        SetRecording(result.recording.config, std::move(result.recording.samples));
        SetFileName(FileNameOf(path));
        m_strPathName = path;
        return true;
    case RecordingReadStatus::Empty:
        return true;
    case RecordingReadStatus::WrongMagic:
        // Not a recording: say so, keep what is shown, and let the open complete, so a start
        // with such a file still brings the window up.
        boxes.Show(RecordingReadMessage(result, path), MessageIcon::Warning, MessageButtons::Ok);
        return true;
    case RecordingReadStatus::Truncated:
    case RecordingReadStatus::ReadError:
        break;
    }
    boxes.Show(RecordingReadMessage(result, path), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

void CDataLoggerDoc::ShowWindow(const ZoomLevel& level) {
    m_nFirst = level.first;
    m_nLast = level.last;
    m_nTop = level.top;
    m_nBottom = level.bottom;
}

void CDataLoggerDoc::PushZoom(int first, int last, int top, int bottom) {
    if (!HasRecording() || !m_pZoomStack) {
        return;
    }
    // A window outside the recording would send the paint past the sample array.
    first = std::clamp(first, 1, m_nCount);
    last = std::clamp(last, 1, m_nCount);
    m_pZoomStack = std::make_unique<ZoomLevel>(first, last, top, bottom, std::move(m_pZoomStack));
    ShowWindow(*m_pZoomStack);
}

bool CDataLoggerDoc::ZoomOut() {
    if (!HasRecording() || !m_pZoomStack || !m_pZoomStack->below) {
        return false;
    }
    std::unique_ptr<ZoomLevel> popped = std::move(m_pZoomStack);
    m_pZoomStack = std::move(popped->below);
    ShowWindow(*m_pZoomStack);
    return true;
}

bool CDataLoggerDoc::ViewAll() {
    if (!HasRecording() || !m_pZoomStack || !m_pZoomStack->below) {
        return false;
    }
    while (m_pZoomStack->below) {
        std::unique_ptr<ZoomLevel> popped = std::move(m_pZoomStack);
        m_pZoomStack = std::move(popped->below);
    }
    ShowWindow(*m_pZoomStack);
    return true;
}

int CDataLoggerDoc::ZoomDepth() const {
    int depth = 0;
    for (const ZoomLevel* z = m_pZoomStack.get(); z != nullptr; z = z->below.get()) {
        ++depth;
    }
    return depth;
}

SaveDecision CDataLoggerDoc::DecideSave() const {
    if (!HasRecording()) {
        return {};
    }
    if (!m_strPathName.empty()) {
        return {SaveAction::WriteToPath, m_strPathName};
    }
    return {SaveAction::AskForPath, {}};
}

std::string CDataLoggerDoc::SaveRecordingFile(const std::string& path) {
    if (!HasRecording()) {
        return FileErrorText(EINVAL, path);
    }
    const std::string target = RecordingPathFor(path);
    std::string error = WriteRecordingFile(target, Recording{m_config, m_samples});
    if (!error.empty()) {
        return error;
    }
    m_strPathName = target;
    if (const std::string name = FileNameOf(target); name != m_strFileName) {
        SetFileName(name);
    }
    return {};
}
