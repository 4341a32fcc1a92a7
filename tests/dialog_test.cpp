// Message boxes and string-table texts. The boxes are real windows (the suite runs under a
// virtual display); a watcher thread reads each box and closes it.
#include "setupsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

struct SeenBox {
    bool found = false;
    std::wstring text;
};

// Waits up to `milliseconds` for a box captioned INFORMATION, records it and presses OK.
SeenBox WatchForBox(DWORD milliseconds) {
    SeenBox seen;
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        HWND box = FindWindowW(L"#32770", L"INFORMATION");
        if (box != nullptr) {
            Sleep(300); // let the box finish its set-up
            seen.found = true;
            wchar_t text[1024] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 1024); // the box's static text
            seen.text = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return seen;
        }
        Sleep(50);
    }
    return seen;
}

TEST(Dialogs, ShowInformationIsABoxCaptionedInformation) {
    SeenBox seen;
    std::thread watcher([&seen] { seen = WatchForBox(10000); });
    const int result = ShowInformation(L"Installation finished.");
    watcher.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, IDOK);
    // MB_TOPMOST is passed, but Wine's box does not report WS_EX_TOPMOST, so it is not checked.
    EXPECT_EQ(seen.text, L"Installation finished.");
}

TEST(Dialogs, ShowSystemErrorTextShowsTheSystemsText) {
    wchar_t* expected = nullptr;
    ASSERT_NE(FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_FROM_SYSTEM,
                             nullptr, ERROR_FILE_NOT_FOUND,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<wchar_t*>(&expected), 0, nullptr),
              0u);
    SeenBox seen;
    std::thread watcher([&seen] { seen = WatchForBox(10000); });
    ShowSystemErrorText(ERROR_FILE_NOT_FOUND);
    watcher.join();
    ASSERT_TRUE(seen.found);
    auto trimmed = [](std::wstring text) {
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
            text.pop_back();
        }
        return text;
    };
    EXPECT_EQ(trimmed(seen.text), trimmed(expected));
    LocalFree(expected);

    // A code without system text shows nothing.
    std::atomic<bool> done{false};
    std::thread quiet([&] {
        ShowSystemErrorText(0x2000FFFF);
        done = true;
    });
    const SeenBox none = WatchForBox(1500);
    quiet.join();
    EXPECT_TRUE(done);
    EXPECT_FALSE(none.found);
}

constexpr wchar_t kSentinel = 0xBEEF;

TEST(Dialogs, LoadResourceTextConvertsAndCountsPlusOne) {
    const HMODULE module = GetModuleHandleW(nullptr);
    EXPECT_EQ(LoadResourceText(100, module, 0, nullptr, 0), 7); // five letters, terminator, + 1
    wchar_t buffer[32];
    wmemset(buffer, kSentinel, 32);
    EXPECT_EQ(LoadResourceText(100, module, 0, buffer, 5), 1); // no room for the terminator
    EXPECT_EQ(buffer[0], kSentinel);
    EXPECT_EQ(LoadResourceText(99, module, 1, buffer, 7), 7); // entry 99 + 1 = 100
    EXPECT_EQ(std::wstring(buffer), L"Hello");
    EXPECT_EQ(buffer[6], kSentinel);

    const struct {
        UINT number;
        std::wstring expected;
    } rows[] = {
        {101, L"Gr\u00fc\u00dfe aus K\u00f6ln"}, // code page 1252 reading of UTF-8 bytes
        {102, L"\ufffd"},                        // a lone 0xE9 byte is not UTF-8
        {999, L""},                              // no such entry
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        const int count = LoadResourceText(row.number, module, 0, nullptr, 0);
        EXPECT_EQ(count, static_cast<int>(row.expected.size()) + 2);
        std::wstring text(static_cast<size_t>(count), kSentinel);
        EXPECT_EQ(LoadResourceText(row.number, module, 0, &text[0], count), count);
        EXPECT_EQ(std::wstring(text.c_str()), row.expected);
    }
}

TEST(Dialogs, TextsGoIntoItemsAndWindows) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HWND dialog = CreateWindowExW(0, L"STATIC", L"caption", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, module, nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND item = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), module, nullptr);
    ASSERT_NE(item, nullptr);
    auto textOf = [](HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return std::wstring(text);
    };

    EXPECT_NE(SetItemText(L"plain", dialog, 7), 0);
    EXPECT_EQ(textOf(item), L"plain");
    EXPECT_EQ(SetItemText(L"nowhere", dialog, 8), 0);

    SetItemResourceText(100, module, dialog, 7, 1); // entry 101
    EXPECT_EQ(textOf(item), L"Gr\u00fc\u00dfe aus K\u00f6ln");
    SetWindowResourceText(100, module, dialog, 0);
    EXPECT_EQ(textOf(dialog), L"Hello");
    DestroyWindow(dialog);
}

} // namespace
