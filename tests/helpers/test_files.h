// Test helpers working with raw Windows calls only, never with the code under test.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A fresh, empty folder under the user's temporary folder, removed with all its contents when
// the object goes. `Path()` has no trailing backslash.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }

  private:
    std::wstring path_;
};

// Creates a folder and every missing folder above it.
bool CreateFolders(const std::wstring& path);
// Deletes a folder with everything inside it (or a single file).
void RemoveTree(const std::wstring& path);

bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes; `exists` tells whether it could be opened.
std::string ReadFileBytes(const std::wstring& path, bool* exists = nullptr);
bool FileExists(const std::wstring& path);

// The folder holding the running test program (no trailing backslash).
std::wstring ThisProgramFolder();

// Starts a program with no arguments, waits for it and returns true with its exit code.
bool RunProgram(const std::wstring& path, DWORD* exitCode);
// The same for a whole command line (program path in double quotes, then its arguments).
bool RunCommandLine(const std::wstring& commandLine, DWORD* exitCode);

// The path with the \\?\ prefix that lifts the 260-character limit of file calls.
std::wstring Extended(const std::wstring& path);

// Printable form of bytes for failure messages.
std::string Escaped(const std::string& bytes);

} // namespace testing_support
