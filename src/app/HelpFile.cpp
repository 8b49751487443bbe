#include "HelpFile.h"

std::string HelpFilePath(const std::string& executableFolder) {
    if (!executableFolder.empty() && executableFolder.back() == '/')
        return executableFolder + "help.htm";
    return executableFolder + "/help.htm";
}
