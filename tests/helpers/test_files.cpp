#include "test_files.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace testing_support {

namespace {
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;
Handle Own(HANDLE handle) {
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
} // namespace

std::wstring Extended(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.size() < 3) {
        return path;
    }
    return L"\\\\?\\" + path;
}

TempFolder::TempFolder(const std::wstring& tag) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static unsigned serial = 0;
    wchar_t name[64];
    swprintf(name, 64, L"sst-%ls-%lu-%u", tag.c_str(), GetCurrentProcessId(), ++serial);
    path_ = std::wstring(temp) + name;
    RemoveTree(path_);
    CreateFolders(path_);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

bool CreateFolders(const std::wstring& path) {
    const std::wstring full = Extended(path);
    if (CreateDirectoryW(full.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        return true;
    }
    const size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 3) {
        return false;
    }
    return CreateFolders(path.substr(0, cut)) && CreateDirectoryW(full.c_str(), nullptr);
}

void RemoveTree(const std::wstring& path) {
    const std::wstring full = Extended(path);
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((full + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") {
                RemoveTree(path + L"\\" + name);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(full.c_str());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const Handle file = Own(CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

std::string ReadFileBytes(const std::wstring& path, bool* exists) {
    const Handle file = Own(CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (exists != nullptr) {
        *exists = static_cast<bool>(file);
    }
    std::string bytes;
    if (!file) {
        return bytes;
    }
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ThisProgramFolder() {
    std::vector<wchar_t> buffer(32768);
    GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path = buffer.data();
    return path.substr(0, path.find_last_of(L'\\'));
}

bool RunProgram(const std::wstring& path, DWORD* exitCode) {
    return RunCommandLine(L"\"" + path + L"\"", exitCode);
}

bool RunCommandLine(const std::wstring& command, DWORD* exitCode) {
    std::wstring commandLine = command;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    const Handle processHandle(process.hProcess);
    const Handle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 60000);
    return GetExitCodeProcess(process.hProcess, exitCode) != 0;
}

std::string Escaped(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

} // namespace testing_support
