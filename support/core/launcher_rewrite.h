// The launcher script rewrite: template bytes and a call line in, script bytes out. Pure logic
// with no Windows call, so that it also builds and runs on the host.
#pragma once

#include <cstring>

namespace setupcore {

// Marker lines of the launcher template: a line holding either text anywhere (byte for byte,
// case-sensitive) is replaced by the call line.
constexpr const char kProSetupMarker[] = "REM INSERT-CALL-PRO-SETUP-HERE";
constexpr const char kSetupMarker[] = "REM INSERT-CALL-SETUP-HERE";

inline bool IsMarkerToken(const char* token) {
    return strstr(token, kProSetupMarker) != nullptr || strstr(token, kSetupMarker) != nullptr;
}

// Splits `text` (terminated; cut in place) into tokens at CR bytes with strtok and hands each
// token to `write`, or `callLine` in place of a token that holds a marker. A token after the
// first begins with the line feed of the CR LF before it; written through a text-mode stream,
// that line feed becomes CR LF again, so unmarked lines come out as they were. The call line
// brings its own leading line feed.
template <typename Write>
void RewriteLauncherTemplate(char* text, const char* callLine, Write write) {
    for (char* token = strtok(text, "\r"); token != nullptr; token = strtok(nullptr, "\r")) {
        write(IsMarkerToken(token) ? callLine : token);
    }
}

// Narrows a wide text to bytes by keeping the low 8 bits of each character, terminator
// included: U+0000 to U+00FF keep their value, higher characters lose their high bits. No code
// page is involved. `narrow` holds at least the wide text's length + 1 bytes.
template <typename WideChar> void NarrowLow8(const WideChar* wide, char* narrow) {
    size_t i = 0;
    do {
        narrow[i] = static_cast<char>(static_cast<unsigned char>(wide[i] & 0xFF));
    } while (wide[i++] != 0);
}

} // namespace setupcore
