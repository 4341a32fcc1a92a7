// The release code and the names derived from it.
#include "setupsupport.h"
#include "core/language_rules.h"
#include "language_internal.h"
#include "owners.h"

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

const wchar_t kReleaseCode[] = L"182";

// Common size query over a finished text.
int FillOrCount(const wchar_t* text, wchar_t* buffer, int capacity) {
    const int count = static_cast<int>(wcslen(text)) + 1;
    if (buffer == nullptr || capacity < count) {
        return count;
    }
    wmemcpy(buffer, text, static_cast<size_t>(count));
    return 0;
}

std::unique_ptr<wchar_t[]> ReleaseCode() {
    const int count = GetReleaseCode(nullptr, 0);
    std::unique_ptr<wchar_t[]> code(new wchar_t[count]);
    GetReleaseCode(code.get(), count);
    return code;
}

} // namespace

namespace setupsupport {

size_t ReadFirstWord(const wchar_t* path, size_t maxChars, wchar_t* word) {
    word[0] = L'\0';
    const UniqueStream file(_wfopen(path, L"r"));
    if (!file) {
        return 0;
    }
    FILE* stream = file.get();
    return setupcore::ScanFirstWord(
        [stream] {
            const int c = fgetc(stream);
            return c == EOF ? -1 : c;
        },
        maxChars, word);
}

} // namespace setupsupport

int GetReleaseCode(wchar_t* buffer, int capacity) {
    const std::unique_ptr<wchar_t[]> code(ConcatWide(1, kReleaseCode));
    return FillOrCount(code.get(), buffer, capacity);
}

int GetReleaseVersionTag(wchar_t* buffer, int capacity) {
    const std::unique_ptr<wchar_t[]> tag(ConcatWide(2, L"v", kReleaseCode));
    return FillOrCount(tag.get(), buffer, capacity);
}

int GetReleaseRootVariable(wchar_t* buffer, int capacity) {
    const std::unique_ptr<wchar_t[]> code = ReleaseCode();
    const std::unique_ptr<wchar_t[]> name(ConcatWide(2, L"VXR_ROOT", code.get()));
    const int reported = static_cast<int>(GetEnvironmentVariableW(name.get(), nullptr, 0));
    if (buffer == nullptr || capacity < reported) {
        return reported;
    }
    if (reported > 0) {
        GetEnvironmentVariableW(name.get(), buffer, static_cast<DWORD>(capacity));
    }
    return 0;
}

int ReadReleaseMarker(const wchar_t* directory, wchar_t* buffer, int capacity) {
    const std::unique_ptr<wchar_t[]> code = ReleaseCode();
    const std::unique_ptr<wchar_t[]> path(ConcatWide(4, directory, L"\\", code.get(), L"-1.dvd"));
    wchar_t word[10];
    setupsupport::ReadFirstWord(path.get(), 9, word);
    return FillOrCount(word, buffer, capacity);
}
