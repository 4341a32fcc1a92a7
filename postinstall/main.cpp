// postinstall: run once the product's files are on disk. Finds the product root five levels
// above itself, writes the launcher script and creates the two Start Menu shortcuts. Silent;
// always ends with exit code 0.
#include "launcher_script.h"
#include "setupsupport.h"

namespace {

int PostInstallMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t* productRoot = nullptr;
    wchar_t* productDirectory = nullptr;
    wchar_t* installDirectory = nullptr;
    wchar_t* releaseFolderName = nullptr;
    wchar_t* shortcutFolder = nullptr;
    wchar_t* documentationFolder = nullptr;
    wchar_t* iconOrManual = nullptr;

    const int rootCount = GetProductRoot(nullptr, 0);
    productRoot = new wchar_t[rootCount];
    GetProductRoot(productRoot, rootCount);

    const int nameCount = GetStartMenuFolderName(nullptr);
    releaseFolderName = new wchar_t[nameCount];
    GetStartMenuFolderName(&releaseFolderName, nameCount);

    productDirectory = ConcatWide(2, productRoot, L"\\quenda");
    installDirectory = ConcatWide(2, productDirectory, L"\\vazezazoza.win64");
    GenerateLauncherScript(productDirectory);

    shortcutFolder = ConcatWide(3, L"\\", releaseFolderName, L"\\Brastel\\");
    iconOrManual = ConcatWide(2, installDirectory, L"\\images\\workbench32.ico");
    CreateGlobalStartMenuShortcut(installDirectory, L"\\bin\\run_quendabench.bat", L"Pro",
                                  iconOrManual, installDirectory, shortcutFolder,
                                  L"Quenda Workbench", L"Launch Quenda Workbench User Interface",
                                  SW_SHOWNORMAL);
    documentationFolder = ConcatWide(2, shortcutFolder, L"Documentation\\");
    FreeAndNull(&iconOrManual);
    iconOrManual = ConcatWide(2, installDirectory, L"\\docs\\Quenda_Workbench.pdf");
    CreateGlobalStartMenuShortcut(installDirectory, L"\\docs\\Quenda_Workbench.pdf", L"",
                                  iconOrManual, installDirectory, documentationFolder,
                                  L"Quenda Workbench", L"Display Online PDF Manual", SW_SHOWNORMAL);

    FreeAndNull(&productRoot);
    FreeAndNull(&productDirectory);
    FreeAndNull(&installDirectory);
    FreeAndNull(&releaseFolderName);
    FreeAndNull(&shortcutFolder);
    FreeAndNull(&documentationFolder);
    FreeAndNull(&iconOrManual);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RestrictDllSearchToSystemFolder();
    return PostInstallMain(instance, nullptr, GetCommandLineW(), show);
}
