// setupsupport: installation utilities shared by postinstall and preuninstall, and callable on
// their own from other installer code.
//
// Conventions of every operation below:
// - Text is passed as wide strings (UTF-16, null-terminated). Lengths and counts are in
//   characters; a count includes the terminator.
// - Text is handed back either as a new owned buffer, released by the caller with FreeAndNull,
//   or by filling a caller's buffer whose size was learnt by a size query: call with a null
//   buffer and capacity 0 to learn the count, allocate that many characters, call again with the
//   buffer and the count. Unless an operation says otherwise, it returns 0 when it filled the
//   buffer and the count needed when it did not; a buffer that is too small is left untouched.
// - Out of memory is not handled: the allocation throws std::bad_alloc. No operation returns
//   null for lack of memory.
#pragma once

#include <windows.h>

// --- Wide strings, owned buffers and file contents ---------------------------------------------

// Joins exactly `count` wide strings, passed after the count, into a new owned buffer. A null
// piece adds nothing. Pass null pieces as (const wchar_t*)nullptr.
wchar_t* ConcatWide(unsigned count, ...);

// Releases an owned buffer (array release) and sets the variable to null; nothing when it
// already holds null.
void FreeAndNull(wchar_t** buffer);
void FreeAndNull(char** buffer);

// Reads a whole file into a new owned byte buffer: the file's bytes and one 0 byte after them.
// The file is opened with OPEN_ALWAYS, so a missing file is created empty where its folder
// allows. Returns 1 when the whole file was read (an empty file included). Returns 0 when the
// file cannot be opened (*contents is left as it was) or the read ended early; after an early end
// *contents holds the bytes read so far, terminated. An early end is a failed read, a read that
// delivers no bytes before the size taken at the start is reached (the file shrank), or a size
// that cannot be taken (a file of 4 GiB or more): then *contents holds only the 0 byte.
int ReadWholeFile(const wchar_t* path, char** contents);

// --- Module location and product root ----------------------------------------------------------

// Cuts a path after its last backslash, once a trailing backslash has been removed:
// D:\a\b\prog.exe gives D:\a\b\, and D:\a\b\ gives D:\a\. Returns 1 when the text held a
// backslash, 0 when it held none (the text is then unchanged but for a trailing backslash).
int StripLastComponent(wchar_t* path);

// Writes into `destination` the path five levels above `source` (the file name and four
// directories), without a trailing backslash except at a drive root such as D:\. The destination
// holds at least the source's length + 1 characters.
void StripPathLevels(const wchar_t* source, wchar_t* destination);

// Size query for the full path of the running program. The whole path is read however long it
// is.
int GetModulePath(wchar_t* destination, int capacity);

// Size query for the product root, the directory five levels above the running program. The
// count asked for is that of the program's own path (length + 1), not of the root: the walk needs
// room for the whole path.
int GetProductRoot(wchar_t* destination, int capacity);

// --- Process hardening -------------------------------------------------------------------------

// Restricts the DLLs the process loads from now on to the system folder, so that a DLL planted
// beside an elevated program is never picked up. Call it first thing in a program entry.
void RestrictDllSearchToSystemFolder();
