#pragma once

#include <string>

// The maker's web site behind the About box's link button.
inline constexpr const char* kSiteUrl = "https://termix.example.org/";
inline constexpr const char* kSiteCaption = "termix.example.org";

// help.htm in the given folder, whether or not the folder text ends in a separator.
std::string HelpFilePath(const std::string& executableFolder);
