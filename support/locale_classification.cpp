// The user's locale as one of the product's four languages.
#include "setupsupport.h"
#include "core/language_rules.h"

#include <cwchar>

int GetLocaleLanguageClass() {
    const LCID locale = GetUserDefaultLCID();
    return setupcore::LanguageClassForLocale(locale, IsValidLocale(locale, LCID_INSTALLED) != 0);
}

int GetLanguageCodeForClass(int languageClass, wchar_t* buffer, int capacity) {
    if (capacity > 1 && buffer != nullptr) {
        buffer[0] = L'\0';
    }
    const wchar_t* code = setupcore::LanguageCodeForClass(languageClass);
    if (code == nullptr) {
        return 0;
    }
    const int count = static_cast<int>(wcslen(code)) + 1;
    if (buffer != nullptr && capacity >= count) {
        wmemcpy(buffer, code, static_cast<size_t>(count));
    }
    return count;
}
