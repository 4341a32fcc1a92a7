// Removal of Start Menu shortcuts and of the folders that held them, once empty.
#include "setupsupport.h"
#include "com_ids.h"
#include "core/path_text.h"
#include "owners.h"
#include "start_menu_internal.h"

#include <objbase.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>
#include <direct.h>
#include <memory>

namespace {

// Item identifier lists and items handed out by the shell, freed with its allocator.
struct ShellItemFreer {
    IMalloc* allocator;
    void operator()(ITEMIDLIST* item) const { allocator->Free(item); }
};

constexpr size_t kTopFolderCapacity = 520;

} // namespace

int DeleteLinkFile(const wchar_t* path) {
    const std::unique_ptr<wchar_t[]> quoted(ConcatWide(3, L"\"", path, L"\""));
    const BOOL plain = DeleteFileW(path);
    const BOOL inQuotes = DeleteFileW(quoted.get());
    return plain + inQuotes != 0 ? 0 : E_FAIL;
}

int RemoveFolderIfEmpty(const wchar_t* path) {
    if (!PathFileExistsW(path)) {
        return E_FAIL;
    }
    CoInitialize(nullptr); // stays initialised for the rest of the process

    IShellFolder* rawTest = nullptr;
    HRESULT result =
        CoCreateInstance(setupsupport::kClsidShellDesktop, nullptr, CLSCTX_INPROC_SERVER,
                         setupsupport::kIidShellFolder, reinterpret_cast<void**>(&rawTest));
    if (FAILED(result)) {
        return result;
    }
    rawTest->Release(); // only a test that the shell's objects can be made

    IMalloc* rawAllocator = nullptr;
    IShellFolder* rawDesktop = nullptr;
    result = SHGetMalloc(&rawAllocator);
    if (FAILED(result)) {
        return result;
    }
    const setupsupport::UniqueCom<IMalloc> allocator(rawAllocator);
    result = SHGetDesktopFolder(&rawDesktop);
    if (FAILED(result)) {
        return result;
    }
    setupsupport::UniqueCom<IShellFolder> desktop(rawDesktop);

    ITEMIDLIST* rawItems = nullptr;
    {
        // The shell's parser refuses a doubled separator (measured under Wine: <Programs> + two
        // backslashes + "Brastel" gives 0x80070002), which the shortcut folders produce when the
        // release folder name is empty; it gets the path with each run of separators made one.
        const std::unique_ptr<wchar_t[]> parsed(ConcatWide(1, path));
        setupcore::CollapseSeparators(parsed.get());
        const setupsupport::UniqueShellString copy(SysAllocString(parsed.get()));
        ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        result = desktop->ParseDisplayName(nullptr, nullptr, copy.get(), nullptr, &rawItems,
                                           &attributes);
    }
    const std::unique_ptr<ITEMIDLIST, ShellItemFreer> items(rawItems,
                                                            ShellItemFreer{allocator.get()});
    if (FAILED(result)) {
        return result;
    }
    IShellFolder* rawFolder = nullptr;
    result = desktop->BindToObject(items.get(), nullptr, setupsupport::kIidShellFolder,
                                   reinterpret_cast<void**>(&rawFolder));
    desktop.reset();
    if (FAILED(result)) {
        return result;
    }
    const setupsupport::UniqueCom<IShellFolder> folder(rawFolder);

    IEnumIDList* rawEnumerator = nullptr;
    result = folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, &rawEnumerator);
    if (FAILED(result)) {
        return result;
    }
    // A request that succeeds without an enumerator means that nothing matches: empty.
    const setupsupport::UniqueCom<IEnumIDList> enumerator(rawEnumerator);
    bool empty = !enumerator;
    if (enumerator) {
        ITEMIDLIST* rawItem = nullptr;
        ULONG fetched = 0;
        const HRESULT next = enumerator->Next(1, &rawItem, &fetched);
        const std::unique_ptr<ITEMIDLIST, ShellItemFreer> item(rawItem,
                                                               ShellItemFreer{allocator.get()});
        empty = next == S_FALSE;
    }
    if (!empty) {
        return ERROR_FILE_EXISTS;
    }
    // Removes only a folder that holds nothing at all: sub-folders and hidden items keep it.
    _wrmdir(path);
    return 0;
}

int DeleteStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName,
                            const wchar_t* revisionSuffix) {
    const std::unique_ptr<wchar_t[]> programs = setupsupport::ProgramsFolder();
    if (programs[0] == L'\0') {
        return 0; // no Programs folder: nothing is deleted anywhere else
    }
    const bool unrevised = revisionSuffix == nullptr || revisionSuffix[0] == L'\0';
    const std::unique_ptr<wchar_t[]> linkPath(
        unrevised ? ConcatWide(5, programs.get(), shortcutFolder, L"\\", shortcutName, L".lnk")
                  : ConcatWide(7, programs.get(), shortcutFolder, L"\\", shortcutName, L" ",
                               revisionSuffix, L".lnk"));
    // Nothing outside the Programs folder is deleted (the names come from a file users may edit).
    if (setupcore::IsInsideFolder(programs.get(), linkPath.get())) {
        DeleteLinkFile(linkPath.get());
    }
    if (unrevised) {
        // Creation always puts the space before the revision, so a shortcut made with an empty
        // revision is named "<name> .lnk": remove that one as well.
        const std::unique_ptr<wchar_t[]> createdPath(
            ConcatWide(5, programs.get(), shortcutFolder, L"\\", shortcutName, L" .lnk"));
        if (setupcore::IsInsideFolder(programs.get(), createdPath.get())) {
            DeleteLinkFile(createdPath.get());
        }
    }
    return 0;
}

namespace {

int DeleteRevisedShortcut(setupsupport::RevisionReader reader, const wchar_t* shortcutFolder,
                          const wchar_t* shortcutName) {
    return DeleteStartMenuShortcut(shortcutFolder, shortcutName,
                                   setupsupport::ReadRevision(reader).get());
}

} // namespace

int DeleteGlobalStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName) {
    return DeleteRevisedShortcut(GetShortcutRevision, shortcutFolder, shortcutName);
}

int DeleteLocalStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName) {
    return DeleteRevisedShortcut(GetLocalShortcutRevision, shortcutFolder, shortcutName);
}

int DeleteFixedStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName) {
    return DeleteStartMenuShortcut(shortcutFolder, shortcutName, L"18.1");
}

int DeleteUnrevisedStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName) {
    return DeleteStartMenuShortcut(shortcutFolder, shortcutName, L"");
}

int RemoveStartMenuFolder(const wchar_t* shortcutFolder) {
    const std::unique_ptr<wchar_t[]> programs = setupsupport::ProgramsFolder();
    if (programs[0] == L'\0') {
        return 0;
    }
    const std::unique_ptr<wchar_t[]> folder(ConcatWide(2, programs.get(), shortcutFolder));
    if (setupcore::IsInsideFolder(programs.get(), folder.get())) {
        RemoveFolderIfEmpty(folder.get());
    }
    return 0;
}

int RemoveStartMenuTopFolder(const wchar_t* name) {
    // An empty name would name the Programs folder itself, which is never removed.
    if (name == nullptr || name[0] == L'\0') {
        return 0;
    }
    const std::unique_ptr<wchar_t[]> folder(new wchar_t[kTopFolderCapacity]);
    setupsupport::ReadProgramsFolder(folder.get());
    const size_t programsLength = wcslen(folder.get());
    const size_t nameLength = wcslen(name);
    // The Programs folder, "\" and the name must fit with the terminator; otherwise nothing is
    // attempted.
    if (programsLength == 0 || programsLength + 1 + nameLength >= kTopFolderCapacity) {
        return 0;
    }
    const std::unique_ptr<wchar_t[]> programs(ConcatWide(1, folder.get()));
    folder[programsLength] = L'\\';
    wmemcpy(folder.get() + programsLength + 1, name, nameLength + 1);
    if (setupcore::IsInsideFolder(programs.get(), folder.get())) {
        RemoveFolderIfEmpty(folder.get());
    }
    return 0;
}
