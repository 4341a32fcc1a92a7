// Creation of Start Menu shortcuts through the Windows shell link object.
#include "setupsupport.h"
#include "com_ids.h"
#include "core/path_text.h"
#include "owners.h"
#include "start_menu_internal.h"

#include <objbase.h>
#include <objidl.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <memory>

namespace {} // namespace

int CreateShellLink(const wchar_t* linkPath, const wchar_t* target, const wchar_t* arguments,
                    const wchar_t* workingDirectory, const wchar_t* description,
                    const wchar_t* iconPath, int iconIndex, int showCommand) {
    CoInitialize(nullptr); // stays initialised for the rest of the process

    // Every missing folder down to the one that will hold the link, before the link exists.
    const std::unique_ptr<wchar_t[]> folder(ConcatWide(1, linkPath));
    StripLastComponent(folder.get());
    PathRemoveBackslashW(folder.get());
    CreateDirectoryTree(folder.get());

    IShellLinkW* rawLink = nullptr;
    HRESULT result =
        CoCreateInstance(setupsupport::kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                         setupsupport::kIidShellLinkW, reinterpret_cast<void**>(&rawLink));
    if (FAILED(result)) {
        return result;
    }
    const setupsupport::UniqueCom<IShellLinkW> link(rawLink);
    link->SetPath(target);
    link->SetArguments(arguments);
    link->SetWorkingDirectory(workingDirectory);
    link->SetDescription(description);
    link->SetIconLocation(iconPath, iconIndex);
    link->SetShowCmd(showCommand);

    IPersistFile* rawFile = nullptr;
    result =
        link->QueryInterface(setupsupport::kIidPersistFile, reinterpret_cast<void**>(&rawFile));
    if (FAILED(result)) {
        return result;
    }
    const setupsupport::UniqueCom<IPersistFile> file(rawFile);
    const setupsupport::UniqueShellString savePath(SysAllocString(linkPath));
    result = file->Save(savePath.get(), TRUE);
    return FAILED(result) ? result : 0;
}

int CreateStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                            const wchar_t* arguments, const wchar_t* iconPath,
                            const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                            const wchar_t* shortcutName, const wchar_t* description,
                            int showCommand, const wchar_t* revisionSuffix) {
    const std::unique_ptr<wchar_t[]> programs = setupsupport::ProgramsFolder();
    if (programs[0] == L'\0') {
        return E_FAIL; // no Programs folder: nothing is written anywhere else
    }
    const std::unique_ptr<wchar_t[]> linkPath(ConcatWide(
        7, programs.get(), shortcutFolder, L"\\", shortcutName, L" ", revisionSuffix, L".lnk"));
    // The names come from a file users may edit, and the programs run elevated: a link path that
    // would leave the Programs folder is refused.
    if (!setupcore::IsInsideFolder(programs.get(), linkPath.get())) {
        return E_INVALIDARG;
    }
    const std::unique_ptr<wchar_t[]> target(
        ConcatWide(4, L"\"", targetDirectory, targetFile, L"\""));
    return CreateShellLink(linkPath.get(), target.get(), arguments, workingDirectory, description,
                           iconPath, 0, showCommand);
}

int CreateFixedStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                 const wchar_t* arguments, const wchar_t* iconPath,
                                 const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                 const wchar_t* shortcutName, const wchar_t* description,
                                 int showCommand) {
    return CreateStartMenuShortcut(targetDirectory, targetFile, arguments, iconPath,
                                   workingDirectory, shortcutFolder, shortcutName, description,
                                   showCommand, L"18.1");
}

namespace {

int CreateRevisedShortcut(setupsupport::RevisionReader reader, const wchar_t* targetDirectory,
                          const wchar_t* targetFile, const wchar_t* arguments,
                          const wchar_t* iconPath, const wchar_t* workingDirectory,
                          const wchar_t* shortcutFolder, const wchar_t* shortcutName,
                          const wchar_t* description, int showCommand) {
    return CreateStartMenuShortcut(targetDirectory, targetFile, arguments, iconPath,
                                   workingDirectory, shortcutFolder, shortcutName, description,
                                   showCommand, setupsupport::ReadRevision(reader).get());
}

} // namespace

int CreateGlobalStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                  const wchar_t* arguments, const wchar_t* iconPath,
                                  const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                  const wchar_t* shortcutName, const wchar_t* description,
                                  int showCommand) {
    return CreateRevisedShortcut(GetShortcutRevision, targetDirectory, targetFile, arguments,
                                 iconPath, workingDirectory, shortcutFolder, shortcutName,
                                 description, showCommand);
}

int CreateLocalStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                 const wchar_t* arguments, const wchar_t* iconPath,
                                 const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                 const wchar_t* shortcutName, const wchar_t* description,
                                 int showCommand) {
    return CreateRevisedShortcut(GetLocalShortcutRevision, targetDirectory, targetFile, arguments,
                                 iconPath, workingDirectory, shortcutFolder, shortcutName,
                                 description, showCommand);
}
