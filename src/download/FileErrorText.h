#pragma once

#include <string>

// The report a user sees when a file cannot be created, written or read: the cause, with the
// full path in it, in the wording the stored files' users know from the original program.
std::string FileErrorText(int errnoValue, const std::string& path);
