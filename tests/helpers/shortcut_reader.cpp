#include "shortcut_reader.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace testing_support {

ShortcutFields ReadShortcut(const std::wstring& linkPath) {
    ShortcutFields fields;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return fields;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
            fields.loaded = true;
            wchar_t text[1024];
            if (SUCCEEDED(link->GetPath(text, 1024, nullptr, SLGP_RAWPATH))) {
                fields.path = text;
            }
            if (SUCCEEDED(link->GetArguments(text, 1024))) {
                fields.arguments = text;
            }
            if (SUCCEEDED(link->GetWorkingDirectory(text, 1024))) {
                fields.workingDirectory = text;
            }
            if (SUCCEEDED(link->GetDescription(text, 1024))) {
                fields.description = text;
            }
            int index = -1;
            if (SUCCEEDED(link->GetIconLocation(text, 1024, &index))) {
                fields.iconPath = text;
                fields.iconIndex = index;
            }
            int show = -1;
            if (SUCCEEDED(link->GetShowCmd(&show))) {
                fields.showCommand = show;
            }
        }
        file->Release();
    }
    link->Release();
    return fields;
}

} // namespace testing_support
