// A small program for the process tests.
//   sst_helper exit N         ends at once with exit code N
//   sst_helper sleep MS [N]   sleeps MS milliseconds, then ends with exit code N (default 0)
//   sst_helper mark PATH      creates the file PATH, then ends with exit code 0
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return 2;
    }
    const std::wstring mode = argv[1];
    if (mode == L"exit") {
        return _wtoi(argv[2]);
    }
    if (mode == L"sleep") {
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return argc > 3 ? _wtoi(argv[3]) : 0;
    }
    if (mode == L"mark") {
        HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 3;
        }
        CloseHandle(file);
        return 0;
    }
    return 2;
}
