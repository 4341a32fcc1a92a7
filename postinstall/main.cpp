// postinstall: run once the product's files are on disk. Finds the product root five levels
// above itself and writes the launcher script. Silent; always ends with exit code 0.
#include "launcher_script.h"
#include "setupsupport.h"

namespace {

int PostInstallMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t* productRoot = nullptr;
    wchar_t* productDirectory = nullptr;
    wchar_t* installDirectory = nullptr;

    const int rootCount = GetProductRoot(nullptr, 0);
    productRoot = new wchar_t[rootCount];
    GetProductRoot(productRoot, rootCount);

    productDirectory = ConcatWide(2, productRoot, L"\\quenda");
    installDirectory = ConcatWide(2, productDirectory, L"\\vazezazoza.win64");
    GenerateLauncherScript(productDirectory);

    FreeAndNull(&productRoot);
    FreeAndNull(&productDirectory);
    FreeAndNull(&installDirectory);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RestrictDllSearchToSystemFolder();
    return PostInstallMain(instance, nullptr, GetCommandLineW(), show);
}
