// Readers of the release settings file relinfo.xml.
#include "setupsupport.h"
#include "core/quoted_value.h"
#include "module_path_internal.h"

#include <climits>
#include <memory>

namespace {

const char kFolderNameKey[] = "startMenuFolderName";
const char kRevisionKey[] = "startMenuShortcutAppendRevision";

std::unique_ptr<wchar_t[]> ProductSettingsPath() {
    const int count = GetProductRoot(nullptr, 0);
    std::unique_ptr<wchar_t[]> root(new wchar_t[count]);
    GetProductRoot(root.get(), count);
    return std::unique_ptr<wchar_t[]>(
        ConcatWide(2, root.get(), L"\\commonfiles\\globalsettings\\relinfo.xml"));
}

std::unique_ptr<wchar_t[]> LocalSettingsPath() {
    setupsupport::ProgramPath program = setupsupport::ReadProgramPath();
    StripLastComponent(program.text.get());
    return std::unique_ptr<wchar_t[]>(ConcatWide(2, program.text.get(), L"relinfo.xml"));
}

// The reader shared by the three operations. `capacity` < 0 means that the caller gave none and
// trusts the count of its query.
int ReadSetting(const wchar_t* path, const char* key, wchar_t** value, int capacity) {
    const bool hasBuffer = value != nullptr && *value != nullptr;
    if (hasBuffer && capacity != 0) {
        (*value)[0] = L'\0';
    }

    char* contents = nullptr;
    ReadWholeFile(path, &contents);
    const std::unique_ptr<char[]> owner(contents);
    setupcore::ByteRange range{};
    if (contents == nullptr || !setupcore::FindQuotedValue(contents, key, &range) ||
        range.length >= static_cast<size_t>(INT_MAX)) {
        return 1; // no value (a value of 2 GiB or more cannot be counted and is not read)
    }
    const int count = static_cast<int>(range.length) + 1;
    // UTF-8 never takes fewer bytes than UTF-16 takes code units, so `count` characters always
    // hold the converted value and its terminator. A value that grew since the caller's query
    // no longer fits its capacity: the buffer then stays empty.
    if (hasBuffer && range.length > 0 && (capacity < 0 || count <= capacity)) {
        const int produced =
            MultiByteToWideChar(CP_UTF8, 0, contents + range.offset, count - 1, *value, count - 1);
        (*value)[produced] = L'\0';
    }
    return count;
}

} // namespace

int GetStartMenuFolderName(wchar_t** value, int capacity) {
    return ReadSetting(ProductSettingsPath().get(), kFolderNameKey, value, capacity);
}

int GetShortcutRevision(wchar_t** value, int capacity) {
    return ReadSetting(ProductSettingsPath().get(), kRevisionKey, value, capacity);
}

int GetLocalShortcutRevision(wchar_t** value, int capacity) {
    return ReadSetting(LocalSettingsPath().get(), kRevisionKey, value, capacity);
}
