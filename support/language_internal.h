// Reading of the first word of the single-byte settings and marker files.
#pragma once

#include <cstddef>

namespace setupsupport {

// The first white-space-delimited word of a file opened in text mode, each byte one character,
// cut at maxChars characters, into `word` (maxChars + 1 characters). Empty when the file does not
// open or holds no word. Returns the word's length.
size_t ReadFirstWord(const wchar_t* path, size_t maxChars, wchar_t* word);

} // namespace setupsupport
