#pragma once

#include <string>

// The report a user sees when a file cannot be created, written or read: the cause, with the
// full path in it, in the document framework's usual wording.
std::string FileErrorText(int errnoValue, const std::string& path);
