// Shared check of the first-word scan for the settings word and the marker word.
#pragma once

#include "core/language_rules.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

inline void CheckFirstWord(const uint8_t* data, size_t size, size_t maxChars) {
    size_t at = 0;
    std::vector<wchar_t> word(maxChars + 2, static_cast<wchar_t>(0x7777));
    const size_t length = setupcore::ScanFirstWord(
        [&] { return at < size ? static_cast<int>(data[at++]) : -1; }, maxChars, word.data());
    if (length > maxChars || word[length] != 0 || word[maxChars + 1] != 0x7777) {
        abort();
    }
    // The word is the input's first run of non-space bytes, cut at maxChars.
    size_t start = 0;
    while (start < size && setupcore::IsWordSpace(data[start])) {
        ++start;
    }
    for (size_t i = 0; i < length; ++i) {
        if (start + i >= size || setupcore::IsWordSpace(data[start + i]) ||
            word[i] != static_cast<wchar_t>(data[start + i])) {
            abort();
        }
    }
    if (length < maxChars && start + length < size &&
        !setupcore::IsWordSpace(data[start + length])) {
        abort();
    }
    const wchar_t* value = setupcore::SettingValue(word.data());
    if (value != nullptr &&
        (value < word.data() + 1 || value > word.data() + length || value[-1] != L'=')) {
        abort();
    }
}
