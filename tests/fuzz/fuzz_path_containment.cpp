// Containment check of composed Start Menu paths on random text appended to a Programs folder.
// A path accepted as inside must have no component that Windows would read as climbing (only
// dots and spaces), no colon, no forward slash, and begin with a separator.
#include "core/path_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string folder = u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    std::u16string rest;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) {
            break;
        }
        rest += c;
    }
    const std::u16string composed = folder + rest;
    if (!setupcore::IsInsideFolder(folder.c_str(), composed.c_str())) {
        return 0;
    }
    if (rest.empty() || rest[0] != u'\\' || rest.find(u':') != std::u16string::npos ||
        rest.find(u'/') != std::u16string::npos) {
        abort();
    }
    size_t start = 1;
    while (start <= rest.size()) {
        size_t end = rest.find(u'\\', start);
        if (end == std::u16string::npos) {
            end = rest.size();
        }
        const std::u16string component = rest.substr(start, end - start);
        if (!component.empty() && (component.find_first_not_of(u". ") == std::u16string::npos ||
                                   component.back() == u'.' || component.back() == u' ')) {
            abort();
        }
        start = end + 1;
    }
    // Collapsing separators keeps the path inside.
    std::u16string collapsed = composed;
    setupcore::CollapseSeparators(&collapsed[0]);
    if (!setupcore::IsInsideFolder(folder.c_str(), collapsed.c_str())) {
        abort();
    }
    return 0;
}
