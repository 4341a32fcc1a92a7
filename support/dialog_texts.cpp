// Message boxes and string-table texts in dialogs.
#include "setupsupport.h"
#include "owners.h"

#include <cwchar>
#include <memory>

int ShowInformation(const wchar_t* text) {
    return MessageBoxW(nullptr, text, L"INFORMATION",
                       MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
}

void ShowSystemErrorText(DWORD errorCode) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
        nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const setupsupport::UniqueLocal<wchar_t> owner(text);
    if (length == 0 || !owner) {
        return; // no system text: nothing is shown
    }
    ShowInformation(owner.get());
}

int SetItemText(const wchar_t* text, HWND dialog, int item) {
    return SetWindowTextW(GetDlgItem(dialog, item), text);
}

int LoadResourceText(UINT number, HMODULE module, int offset, wchar_t* buffer, int capacity) {
    constexpr int kLoadCapacity = 4160;
    const std::unique_ptr<wchar_t[]> loaded(new wchar_t[kLoadCapacity]);
    loaded[0] = L'\0'; // a missing entry reads as the empty text
    LoadStringW(module, number + offset, loaded.get(), kLoadCapacity);

    // The entries hold the code page 1252 reading of UTF-8 bytes: back to the bytes, then UTF-8.
    const int length = static_cast<int>(wcslen(loaded.get()));
    const int bytes =
        WideCharToMultiByte(1252, 0, loaded.get(), length + 1, nullptr, 0, nullptr, nullptr);
    const std::unique_ptr<char[]> narrow(new char[bytes + 1]);
    WideCharToMultiByte(1252, 0, loaded.get(), length + 1, narrow.get(), bytes, nullptr, nullptr);
    // The bytes are converted without their terminator, which is added here: converters differ on
    // whether a terminator right after an invalid sequence survives (Wine 8 drops it).
    const int converted = MultiByteToWideChar(CP_UTF8, 0, narrow.get(), bytes - 1, nullptr, 0);
    const int needed = converted + 1;
    if (buffer == nullptr) {
        return needed + 1;
    }
    if (capacity < needed) {
        return 1; // too small: nothing is written
    }
    const int written =
        converted > 0 ? MultiByteToWideChar(CP_UTF8, 0, narrow.get(), bytes - 1, buffer, converted)
                      : 0;
    buffer[written] = L'\0';
    return written + 2;
}

namespace {

std::unique_ptr<wchar_t[]> ResourceText(UINT number, HMODULE module, int offset) {
    const int count = LoadResourceText(number, module, offset, nullptr, 0);
    std::unique_ptr<wchar_t[]> text(new wchar_t[count]);
    text[0] = L'\0';
    LoadResourceText(number, module, offset, text.get(), count);
    return text;
}

} // namespace

void SetItemResourceText(UINT number, HMODULE module, HWND dialog, int item, int offset) {
    SetWindowTextW(GetDlgItem(dialog, item), ResourceText(number, module, offset).get());
}

void SetWindowResourceText(UINT number, HMODULE module, HWND window, int offset) {
    SetWindowTextW(window, ResourceText(number, module, offset).get());
}
