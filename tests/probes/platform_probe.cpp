// Runs the platform identification in a process of its own (Wine fixes the reported version at
// process start) and stores the nine flags and the service pack text in the file named by its
// argument.
#include "setupsupport.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    PlatformFlags flags;
    IdentifyPlatform(&flags);
    wchar_t* servicePack = nullptr;
    GetServicePackText(0, &servicePack);
    FILE* out = _wfopen(argv[1], L"wb");
    if (out == nullptr) {
        return 3;
    }
    fwrite(&flags, sizeof flags, 1, out);
    fputws(servicePack, out);
    fclose(out);
    FreeAndNull(&servicePack);
    return 0;
}
