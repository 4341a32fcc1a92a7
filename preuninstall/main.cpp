// preuninstall: run before the product's files go. Deletes the two Start Menu shortcuts that
// postinstall made and removes their folders, innermost first, each only when empty. Silent;
// always ends with exit code 0.
#include "setupsupport.h"

namespace {

int PreUninstallMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t* releaseFolderName = nullptr;
    wchar_t* shortcutFolder = nullptr;
    wchar_t* documentationFolder = nullptr;

    const int nameCount = GetStartMenuFolderName(nullptr);
    releaseFolderName = new wchar_t[nameCount];
    GetStartMenuFolderName(&releaseFolderName, nameCount);

    shortcutFolder = ConcatWide(3, L"\\", releaseFolderName, L"\\Brastel\\");
    DeleteGlobalStartMenuShortcut(shortcutFolder, L"Quenda Workbench");
    documentationFolder = ConcatWide(2, shortcutFolder, L"Documentation\\");
    DeleteGlobalStartMenuShortcut(documentationFolder, L"Quenda Workbench");
    RemoveStartMenuFolder(documentationFolder);
    Sleep(100);
    RemoveStartMenuFolder(shortcutFolder);
    RemoveStartMenuTopFolder(releaseFolderName);

    FreeAndNull(&shortcutFolder);
    FreeAndNull(&documentationFolder);
    FreeAndNull(&releaseFolderName);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RestrictDllSearchToSystemFolder();
    return PreUninstallMain(instance, nullptr, GetCommandLineW(), show);
}
