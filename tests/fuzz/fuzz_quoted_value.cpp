// Quoted-value lookup on random file bytes and a random key. The first byte gives the key's
// length; the key and the contents follow. Checks that a value found lies inside the contents,
// between two double quotes that follow the key's first occurrence, and holds no double quote.
#include "core/quoted_value.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t keyLength = 1 + data[0] % 40 < size - 1 ? 1 + data[0] % 40 : size - 1;
    const std::string key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string contents(reinterpret_cast<const char*>(data + 1 + keyLength),
                               size - 1 - keyLength);
    if (key.find('\0') != std::string::npos) {
        return 0; // keys are texts
    }
    setupcore::ByteRange value{};
    const bool found = setupcore::FindQuotedValue(contents.c_str(), key.c_str(), &value);
    const size_t text =
        contents.find('\0') == std::string::npos ? contents.size() : contents.find('\0');
    const size_t keyAt = contents.substr(0, text).find(key);
    if (!found) {
        if (keyAt != std::string::npos) {
            // Fewer than two quotes may follow the key.
            const size_t open = contents.substr(0, text).find('"', keyAt);
            if (open != std::string::npos &&
                contents.substr(0, text).find('"', open + 1) != std::string::npos) {
                abort();
            }
        }
        return 0;
    }
    if (keyAt == std::string::npos || value.offset == 0 || value.offset + value.length >= text ||
        contents[value.offset - 1] != '"' || contents[value.offset + value.length] != '"' ||
        contents.substr(value.offset, value.length).find('"') != std::string::npos ||
        contents.substr(keyAt, value.offset - 1 - keyAt).find('"') != std::string::npos) {
        abort();
    }
    return 0;
}
