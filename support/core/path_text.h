// Text steps on paths that need no Windows call.
#pragma once

#include <cstddef>

namespace setupcore {

// Collapses each run of backslashes into one, in place, except at the very start of the text,
// where the two backslashes of a UNC path (\\server\share) stay.
template <typename WideChar> void CollapseSeparators(WideChar* path) {
    WideChar* write = path;
    const WideChar* read = path;
    if (read[0] == '\\' && read[1] == '\\') {
        *write++ = *read++;
        *write++ = *read++;
    }
    while (*read != 0) {
        const bool repeated = *read == '\\' && write > path && write[-1] == '\\';
        if (!repeated) {
            *write++ = *read;
        }
        ++read;
    }
    *write = 0;
}

} // namespace setupcore

namespace setupcore {

namespace detail {

template <typename WideChar> WideChar AsciiUpper(WideChar c) {
    return (c >= 'a' && c <= 'z') ? static_cast<WideChar>(c - 'a' + 'A') : c;
}

// Whether [begin, end) names a DOS device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$,
// CONOUT$), with or without an extension and trailing spaces: "nul", "NUL.txt", "com1 .lnk".
template <typename WideChar> bool IsDeviceName(const WideChar* begin, const WideChar* end) {
    const WideChar* stem = begin;
    while (stem < end && *stem != '.') {
        ++stem;
    }
    while (stem > begin && stem[-1] == ' ') {
        --stem;
    }
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    const size_t length = static_cast<size_t>(stem - begin);
    for (const char* device : kDevices) {
        size_t i = 0;
        while (i < length && device[i] != '\0' &&
               AsciiUpper(begin[i]) == static_cast<WideChar>(device[i])) {
            ++i;
        }
        if (i == length && device[i] == '\0') {
            return true;
        }
    }
    // COM and LPT followed by a digit, or by the superscript digits 1, 2 and 3.
    if (length == 4) {
        const WideChar a = AsciiUpper(begin[0]), b = AsciiUpper(begin[1]), c = AsciiUpper(begin[2]);
        const WideChar d = begin[3];
        const bool family =
            (a == 'C' && b == 'O' && c == 'M') || (a == 'L' && b == 'P' && c == 'T');
        const bool digit = (d >= '0' && d <= '9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
        return family && digit;
    }
    return false;
}

} // namespace detail

// Whether `composed` is `folder` followed by a path that stays inside it: the rest must begin
// with a backslash and hold only plain names separated by backslashes (runs of backslashes count
// as one). Refused: a component made only of dots and spaces (".", "..", "..." and the like,
// which Windows reads as climbing or drops) or ending in a dot or a space, a colon (drive or
// stream), a forward slash, the characters * ? " < > | and control characters, and DOS device
// names. An empty folder contains nothing.
template <typename WideChar> bool IsInsideFolder(const WideChar* folder, const WideChar* composed) {
    if (folder[0] == 0) {
        return false;
    }
    size_t i = 0;
    while (folder[i] != 0) {
        if (composed[i] != folder[i]) {
            return false;
        }
        ++i;
    }
    const WideChar* rest = composed + i;
    if (rest[0] != '\\') {
        return false;
    }
    const WideChar* component = rest;
    for (const WideChar* c = rest;; ++c) {
        const WideChar ch = *c;
        if (ch == '\\' || ch == 0) {
            bool onlyDotsAndSpaces = true;
            for (const WideChar* k = component; k < c; ++k) {
                onlyDotsAndSpaces = onlyDotsAndSpaces && (*k == '.' || *k == ' ');
            }
            // Windows drops trailing dots and spaces from a name, so the folder made would not be
            // the one composed, and removal would miss it.
            const bool trailingDotOrSpace = c > component && (c[-1] == '.' || c[-1] == ' ');
            if (c > component &&
                (onlyDotsAndSpaces || trailingDotOrSpace || detail::IsDeviceName(component, c))) {
                return false;
            }
            if (ch == 0) {
                return true;
            }
            component = c + 1;
            continue;
        }
        if (ch < 0x20 || ch == ':' || ch == '/' || ch == '*' || ch == '?' || ch == '"' ||
            ch == '<' || ch == '>' || ch == '|') {
            return false;
        }
    }
}

} // namespace setupcore
