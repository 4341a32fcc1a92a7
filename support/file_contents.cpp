// Whole-file reading.
#include "setupsupport.h"
#include "owners.h"

using setupsupport::OwnHandle;

int ReadWholeFile(const wchar_t* path, char** contents) {
    const auto file = OwnHandle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return 0;
    }

    // Without a high part the position reached is the size in 32 bits; a file of 4 GiB or more
    // makes the call fail, and then nothing is read.
    const DWORD size = SetFilePointer(file.get(), 0, nullptr, FILE_END);
    const bool sizeKnown = size != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    // size + 1 must not wrap around in a 32-bit process.
    const bool sizeFits = sizeKnown && static_cast<unsigned long long>(size) + 1 <=
                                           static_cast<unsigned long long>(SIZE_MAX);
    const DWORD wanted = sizeFits ? size : 0;

    char* buffer = new char[static_cast<size_t>(wanted) + 1];
    *contents = buffer;
    SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);

    int result = sizeFits ? 1 : 0;
    DWORD got = 0;
    while (got < wanted) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer + got, wanted - got, &read, nullptr) || read == 0) {
            result = 0; // a failed read, or the file shrank since its size was taken
            break;
        }
        got += read;
    }
    buffer[got] = '\0';
    return result;
}
