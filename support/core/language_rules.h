// Text rules of the language selection that need no Windows call: the locale tables, the first
// word of the single-byte settings and marker files, and the value after "=".
#pragma once

#include <cstddef>

namespace setupcore {

// The language class of a locale identifier: 1 German, 2 French, 3 Japanese, 0 English and
// every other locale, including one that is not installed.
inline int LanguageClassForLocale(unsigned lcid, bool installed) {
    static const unsigned kEnglish[] = {0x0409, 0x0809, 0x0c09, 0x2809, 0x1009, 0x2409,
                                        0x3c09, 0x4009, 0x3809, 0x1809, 0x2009, 0x4409,
                                        0x1409, 0x3409, 0x4809, 0x1c09, 0x2c09, 0x3009};
    static const unsigned kGerman[] = {0x0407, 0x0c07, 0x1407, 0x1007, 0x0807};
    static const unsigned kFrench[] = {0x040c, 0x080c, 0x2c0c, 0x0c0c, 0x240c, 0x300c,
                                       0x3c0c, 0x140c, 0x340c, 0x180c, 0x380c, 0xe40c,
                                       0x200c, 0x280c, 0x100c, 0x1c0c};
    static const unsigned kJapanese[] = {0x0411};
    if (!installed) {
        return 0;
    }
    for (unsigned id : kEnglish) {
        if (id == lcid) {
            return 0;
        }
    }
    for (unsigned id : kGerman) {
        if (id == lcid) {
            return 1;
        }
    }
    for (unsigned id : kFrench) {
        if (id == lcid) {
            return 2;
        }
    }
    for (unsigned id : kJapanese) {
        if (id == lcid) {
            return 3;
        }
    }
    return 0;
}

// The language code of a class, or null for a class outside 0 to 3.
inline const wchar_t* LanguageCodeForClass(int languageClass) {
    switch (languageClass) {
    case 0:
        return L"en-us";
    case 1:
        return L"de";
    case 2:
        return L"fr";
    case 3:
        return L"ja";
    default:
        return nullptr;
    }
}

inline bool IsWordSpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads the first white-space-delimited word from `next` (a callable returning the next byte,
// 0 to 255, or a negative number at the end) into `word`, each byte giving one character, and
// terminates it. At most `maxChars` characters are kept: a longer word is cut there, like a
// "%9s" or "%49s" read. `word` holds maxChars + 1 characters. Returns the word's length.
template <typename WideChar, typename NextByte>
size_t ScanFirstWord(NextByte next, size_t maxChars, WideChar* word) {
    int c = next();
    while (c >= 0 && IsWordSpace(c)) {
        c = next();
    }
    size_t length = 0;
    while (c >= 0 && !IsWordSpace(c) && length < maxChars) {
        word[length++] = static_cast<WideChar>(static_cast<unsigned char>(c));
        c = next();
    }
    word[length] = 0;
    return length;
}

// The value of a settings word: everything after its first "=", or null when it holds none.
template <typename WideChar> const WideChar* SettingValue(const WideChar* word) {
    for (; *word != 0; ++word) {
        if (*word == '=') {
            return word + 1;
        }
    }
    return nullptr;
}

} // namespace setupcore
