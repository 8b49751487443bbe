#include "FileErrorText.h"

#include <cerrno>

namespace {

std::string WithPath(const std::string& pattern, const std::string& path) {
    std::string text = pattern;
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, path);
    }
    return text;
}

} // namespace

std::string FileErrorText(int errnoValue, const std::string& path) {
    switch (errnoValue) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return WithPath("Access to %1 was denied.", path);
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return WithPath("%1 contains an invalid path.", path);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WithPath("Disk full while accessing %1.", path);
    case EMFILE:
    case ENFILE:
        return WithPath("%1 could not be opened because there are too many open files.", path);
    case EIO:
        return WithPath("A hardware I/O error was reported while accessing %1.", path);
    default:
        return WithPath("An unexpected error occurred while accessing %1.", path);
    }
}
