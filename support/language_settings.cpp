// The language settings files: the user's, the product's shared one, and the choice between them
// and the user's locale.
#include "setupsupport.h"
#include "core/language_rules.h"
#include "environment_internal.h"
#include "language_internal.h"
#include "owners.h"

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

using Text = std::unique_ptr<wchar_t[]>;

// APPDATA, or null when it is not set.
Text AppData() {
    return setupsupport::EnvironmentValue(L"APPDATA");
}

Text VersionTag() {
    const int count = GetReleaseVersionTag(nullptr, 0);
    Text tag(new wchar_t[count]);
    GetReleaseVersionTag(tag.get(), count);
    return tag;
}

// <APPDATA>\Orvane\v182\languagesettings.txt, or null when APPDATA is not set.
Text UserSettingsPath() {
    const Text appData = AppData();
    if (!appData) {
        return nullptr;
    }
    return Text(
        ConcatWide(4, appData.get(), L"\\Orvane\\", VersionTag().get(), L"\\languagesettings.txt"));
}

// The value of a settings file in a new text, and its count (0 when the file has no value).
int SettingOf(const wchar_t* path, Text* value) {
    const int count = ReadLanguageSetting(path, nullptr, 0);
    value->reset(new wchar_t[count > 0 ? count : 1]);
    (*value)[0] = L'\0';
    wchar_t* buffer = value->get();
    ReadLanguageSetting(path, &buffer, count);
    return count;
}

int Deliver(const wchar_t* text, int count, wchar_t** value, int capacity) {
    if (count == 0) {
        return 0; // the chosen file holds no value
    }
    if (value != nullptr && *value != nullptr && capacity >= count) {
        wmemcpy(*value, text, static_cast<size_t>(count));
        (*value)[count - 1] = L'\0';
        return 0;
    }
    return count;
}

} // namespace

int ReadLanguageSetting(const wchar_t* path, wchar_t** value, int capacity) {
    const bool hasBuffer = value != nullptr && *value != nullptr;
    if (hasBuffer) {
        (*value)[0] = L'\0';
    }
    wchar_t word[50];
    if (setupsupport::ReadFirstWord(path, 49, word) == 0) {
        return 0;
    }
    const wchar_t* setting = setupcore::SettingValue(word);
    if (setting == nullptr) {
        return 0; // a word without "=" holds no value
    }
    const int count = static_cast<int>(wcslen(setting)) + 1;
    if (hasBuffer && capacity >= count) {
        wmemcpy(*value, setting, static_cast<size_t>(count));
    }
    return count;
}

void SaveUserLanguageSetting(int languageClass, int save) {
    const int codeCount = GetLanguageCodeForClass(languageClass, nullptr, 0);
    if (codeCount == 0) {
        return; // not a language class
    }
    const Text code(new wchar_t[codeCount]);
    GetLanguageCodeForClass(languageClass, code.get(), codeCount);
    if (!save) {
        return;
    }
    const Text appData = AppData();
    if (!appData) {
        return; // no user settings folder to write to
    }
    const Text tag = VersionTag();
    const Text orvane(ConcatWide(2, appData.get(), L"\\Orvane"));
    const Text versioned(ConcatWide(3, orvane.get(), L"\\", tag.get()));
    const Text path(ConcatWide(2, versioned.get(), L"\\languagesettings.txt"));
    CreateDirectoryIfMissing(appData.get());
    CreateDirectoryIfMissing(orvane.get());
    CreateDirectoryIfMissing(versioned.get());

    // The line is ASCII: one byte per character, no line end.
    char line[16] = "lang=";
    size_t used = 5;
    for (const wchar_t* c = code.get(); *c != L'\0' && used + 1 < sizeof(line); ++c) {
        line[used++] = static_cast<char>(*c);
    }
    line[used] = '\0';
    const setupsupport::UniqueStream file(_wfopen(path.get(), L"w"));
    if (file) {
        fputs(line, file.get());
    }
}

int GetLanguageClassForCode(const wchar_t* code, int save) {
    for (int languageClass = 0; languageClass < 4; ++languageClass) {
        if (wcscmp(code, setupcore::LanguageCodeForClass(languageClass)) == 0) {
            return languageClass;
        }
    }
    const int languageClass = GetLocaleLanguageClass();
    SaveUserLanguageSetting(languageClass, save);
    return languageClass;
}

int ResolveLanguageCode(const wchar_t* productRoot, wchar_t** value, int capacity) {
    if (value != nullptr && *value != nullptr && capacity > 1) {
        (*value)[0] = L'\0';
    }
    const Text userPath = UserSettingsPath();
    const Text commonPath(
        ConcatWide(3, productRoot, L"\\commonfiles\\Language", L"\\languagesettings.txt"));
    Text setting;
    if (userPath && PathExists(userPath.get())) {
        const int count = SettingOf(userPath.get(), &setting);
        return Deliver(setting.get(), count, value, capacity);
    }
    if (PathExists(commonPath.get())) {
        const int count = SettingOf(commonPath.get(), &setting);
        return Deliver(setting.get(), count, value, capacity);
    }
    const int languageClass = GetLocaleLanguageClass();
    const wchar_t* code = setupcore::LanguageCodeForClass(
        languageClass == 1 || languageClass == 2 || languageClass == 3 ? languageClass : 0);
    return Deliver(code, static_cast<int>(wcslen(code)) + 1, value, capacity);
}

int ResolveLanguageClass(int save, const wchar_t* productRoot) {
    const int count = ResolveLanguageCode(productRoot, nullptr, 0);
    const Text code(new wchar_t[count > 0 ? count : 1]);
    code[0] = L'\0';
    wchar_t* buffer = code.get();
    ResolveLanguageCode(productRoot, &buffer, count);
    return GetLanguageClassForCode(code.get(), save);
}
