// Reads a shell link back through a fresh shell link object (not the code that wrote it).
#pragma once

#include <string>

namespace testing_support {

struct ShortcutFields {
    bool loaded = false;
    std::wstring path; // the path property as stored (SLGP_RAWPATH)
    std::wstring arguments;
    std::wstring workingDirectory;
    std::wstring description;
    std::wstring iconPath;
    int iconIndex = -1;
    int showCommand = -1;
};

ShortcutFields ReadShortcut(const std::wstring& linkPath);

} // namespace testing_support
