// Wide strings and owned buffers.
#include "setupsupport.h"

#include <cstdarg>
#include <cwchar>

wchar_t* ConcatWide(unsigned count, ...) {
    size_t total = 0;
    va_list pieces;
    va_start(pieces, count);
    for (unsigned i = 0; i < count; ++i) {
        const wchar_t* piece = va_arg(pieces, const wchar_t*);
        if (piece != nullptr) {
            total += wcslen(piece);
        }
    }
    va_end(pieces);

    wchar_t* joined = new wchar_t[total + 1];
    size_t used = 0;
    va_start(pieces, count);
    for (unsigned i = 0; i < count; ++i) {
        const wchar_t* piece = va_arg(pieces, const wchar_t*);
        if (piece != nullptr) {
            const size_t length = wcslen(piece);
            wmemcpy(joined + used, piece, length);
            used += length;
        }
    }
    va_end(pieces);
    joined[used] = L'\0';
    return joined;
}

void FreeAndNull(wchar_t** buffer) {
    delete[] * buffer;
    *buffer = nullptr;
}

void FreeAndNull(char** buffer) {
    delete[] * buffer;
    *buffer = nullptr;
}
