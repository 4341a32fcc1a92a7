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

    // The size is taken in 32 bits. The high part is asked for only to refuse a file of 4 GiB or
    // more, whose low part alone would pass for a small file: nothing of such a file is read.
    LONG sizeHigh = 0;
    const DWORD size = SetFilePointer(file.get(), 0, &sizeHigh, FILE_END);
    const bool sizeKnown =
        (size != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR) && sizeHigh == 0;
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
