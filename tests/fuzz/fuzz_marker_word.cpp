// First word of a release marker file (at most 9 characters).
#include "fuzz_words.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckFirstWord(data, size, 9);
    return 0;
}
