// Helpers shared by the Start Menu operations.
#pragma once

#include <memory>

namespace setupsupport {

// Writes the Programs folder chosen by the administrator test into `buffer` (MAX_PATH + 1
// characters): the shell's path without a trailing backslash, or the empty path when the shell
// cannot deliver it.
void ReadProgramsFolder(wchar_t* buffer);

// The Programs folder by size query of GetStartMenuProgramsDir, in an owned buffer.
std::unique_ptr<wchar_t[]> ProgramsFolder();

// A revision suffix by size query of one of the relinfo.xml readers (GetShortcutRevision,
// GetLocalShortcutRevision), in an owned buffer.
using RevisionReader = int (*)(wchar_t**, int);
std::unique_ptr<wchar_t[]> ReadRevision(RevisionReader reader);

} // namespace setupsupport
