// Runs one reader of relinfo.xml from wherever the test placed this program and stores what it
// saw in probe-result.bin beside itself: the query's count, the fill's result, and the buffer of
// (count + 4) characters after the fill, prefilled with 0xBEEF.
// Usage: settings_probe folder|revision|local [REPLACEMENT]
// With REPLACEMENT, relinfo.xml is replaced by that file between the query and the fill.
#include "setupsupport.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring which = argv[1];
    auto reader = which == L"folder"     ? GetStartMenuFolderName
                  : which == L"revision" ? GetShortcutRevision
                                         : GetLocalShortcutRevision;

    wchar_t self[4096];
    GetModuleFileNameW(nullptr, self, 4096);
    std::wstring folder = self;
    folder.erase(folder.find_last_of(L'\\') + 1);

    const int count = reader(nullptr, -1);
    if (argc > 2) {
        const int rootCount = GetProductRoot(nullptr, 0);
        std::vector<wchar_t> root(rootCount);
        GetProductRoot(root.data(), rootCount);
        const std::wstring settings =
            which == L"local"
                ? folder + L"relinfo.xml"
                : std::wstring(root.data()) + L"\\commonfiles\\globalsettings\\relinfo.xml";
        CopyFileW(argv[2], settings.c_str(), FALSE);
    }
    std::vector<wchar_t> buffer(count + 4, static_cast<wchar_t>(0xBEEF));
    wchar_t* value = buffer.data();
    const int filled = reader(&value, count);

    FILE* out = _wfopen((folder + L"probe-result.bin").c_str(), L"wb");
    if (out == nullptr) {
        return 3;
    }
    fwrite(&count, sizeof count, 1, out);
    fwrite(&filled, sizeof filled, 1, out);
    fwrite(buffer.data(), sizeof(wchar_t), buffer.size(), out);
    fclose(out);
    return 0;
}
