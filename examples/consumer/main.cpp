// Prints the release code and the language class of the user's locale, using setupsupport the
// way installer code does: size query, owned buffer, FreeAndNull.
#include <setupsupport.h>

#include <cstdio>

int wmain() {
    const int count = GetReleaseCode(nullptr, 0);
    wchar_t* code = new wchar_t[count];
    const int filled = GetReleaseCode(code, count);
    wchar_t* line = ConcatWide(3, L"release ", code, L"\n");
    fputws(line, stdout);
    std::printf("language class %d\n", GetLocaleLanguageClass());
    FreeAndNull(&line);
    FreeAndNull(&code);
    return filled == 0 && count == 4 ? 0 : 1;
}
