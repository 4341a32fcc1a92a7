// The quoted-value lookup of the release settings file: no XML parsing, only a search for a key
// and the first two double quotes after it. Pure logic with no Windows call.
#pragma once

#include <cstddef>
#include <cstring>

namespace setupcore {

struct ByteRange {
    size_t offset;
    size_t length;
};

// Finds the value of `key` in `contents` (terminated; the search stops at its first 0 byte): the
// bytes between the first two double quotes that follow the start of the key's first occurrence,
// wherever it stands (inside a longer word, a comment or another element's text). Returns false
// when the key or either quote is missing; the value is then read as empty.
inline bool FindQuotedValue(const char* contents, const char* key, ByteRange* value) {
    const char* found = strstr(contents, key);
    if (found == nullptr) {
        return false;
    }
    const char* open = strchr(found, '"');
    if (open == nullptr) {
        return false;
    }
    const char* close = strchr(open + 1, '"');
    if (close == nullptr) {
        return false;
    }
    value->offset = static_cast<size_t>(open + 1 - contents);
    value->length = static_cast<size_t>(close - (open + 1));
    return true;
}

} // namespace setupcore
