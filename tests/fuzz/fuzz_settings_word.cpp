// First word of a language settings file (at most 49 characters) and the value after its "=".
#include "fuzz_words.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckFirstWord(data, size, 49);
    return 0;
}
