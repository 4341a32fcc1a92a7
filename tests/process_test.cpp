#include "setupsupport.h"
#include "process_launch_internal.h"
#include "helpers/test_files.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace testing_support;

namespace {

std::wstring Helper() {
    return ThisProgramFolder() + L"\\sst_helper.exe";
}
std::wstring HelperLine(const std::wstring& arguments) {
    return L"\"" + Helper() + L"\" " + arguments;
}

// Milliseconds that `action` took.
template <typename Action> DWORD Timed(Action action) {
    const ULONGLONG start = GetTickCount64();
    action();
    return static_cast<DWORD>(GetTickCount64() - start);
}

// Process IDs of running processes whose file name is exactly `name`.
std::vector<DWORD> Running(const std::wstring& name) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (name == entry.szExeFile) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

// Ends every running helper, so that one test's runners do not reach into the next.
void EndHelpers() {
    for (DWORD id : Running(L"sst_helper.exe")) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (process != nullptr) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

class Processes : public ::testing::Test {
  protected:
    TempFolder folder{L"processes"};
    std::wstring marker = folder.Path() + L"\\marker";
    void SetUp() override { EndHelpers(); }
    void TearDown() override { EndHelpers(); }
};

TEST_F(Processes, RunProgramWithTimeoutWaitsAtLeastOnePause) {
    for (int flag : {0, 2}) {
        SCOPED_TRACE(flag);
        int result = 99;
        // A constant command line: the operation must not write into it.
        const DWORD took = Timed([&] {
            result = RunProgramWithTimeout(nullptr, HelperLine(L"exit 3").c_str(), SW_HIDE, flag);
        });
        EXPECT_EQ(result, 0);
        EXPECT_GE(took, 1000u);
        EXPECT_LT(took, 2500u);
    }
    EXPECT_EQ(RunProgramWithTimeout(nullptr, L"\"C:\\no such\\program.exe\"", SW_HIDE, 0), -1);
    EXPECT_EQ(RunProgramWithTimeout(Helper().c_str(), L"sst_helper exit 0", SW_HIDE, 0), 0);
}

TEST_F(Processes, RunProgramWithTimeoutWithoutWaiting) {
    const std::wstring line = HelperLine(L"sleep 3000");
    const DWORD took =
        Timed([&] { EXPECT_EQ(RunProgramWithTimeout(nullptr, line.c_str(), 1, 1), 0); });
    EXPECT_LT(took, 1000u);
    EXPECT_FALSE(Running(L"sst_helper.exe").empty());
}

// The poll count and pause are parameters of the loop: shortened here, real in the next test.
TEST_F(Processes, PollingTerminatesAProgramStillRunningAtTheLastPoll) {
    const struct {
        const char* name;
        std::wstring arguments;
        DWORD minimum, maximum;
    } rows[] = {
        {"ends at once", L"exit 0", 50, 600},
        {"exit code 259 reads as running", L"exit 259", 250, 1500},
        {"runs longer", L"sleep 20000", 250, 1500},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DWORD took = Timed([&] {
            EXPECT_EQ(setupsupport::RunProgramPolling(nullptr, HelperLine(row.arguments).c_str(),
                                                      SW_HIDE, 0, 5, 50),
                      0);
        });
        EXPECT_GE(took, row.minimum);
        EXPECT_LT(took, row.maximum);
    }
    Sleep(200);
    EXPECT_TRUE(Running(L"sst_helper.exe").empty()) << "the long runner was not terminated";
}

TEST_F(Processes, RunProgramWithTimeoutTerminatesAfterThirtySeconds) {
    const std::wstring line = HelperLine(L"sleep 60000");
    const DWORD took =
        Timed([&] { EXPECT_EQ(RunProgramWithTimeout(nullptr, line.c_str(), 0, 0), 0); });
    EXPECT_GE(took, 30000u);
    EXPECT_LT(took, 36000u);
    Sleep(200);
    EXPECT_TRUE(Running(L"sst_helper.exe").empty());
}

TEST_F(Processes, HiddenRuns) {
    EXPECT_EQ(RunHiddenAndWait(L"\"C:\\no such\\program.exe\""), -1);
    EXPECT_EQ(RunHiddenDetached(L"\"C:\\no such\\program.exe\""), -1);

    EXPECT_NE(RunHiddenAndWait(HelperLine(L"mark \"" + marker + L"\"").c_str()), 0);
    EXPECT_TRUE(FileExists(marker)); // waited for the program to end

    const DWORD took =
        Timed([&] { EXPECT_NE(RunHiddenDetached(HelperLine(L"sleep 2000").c_str()), 0); });
    EXPECT_LT(took, 1000u);
    EXPECT_FALSE(Running(L"sst_helper.exe").empty()); // still running after the return
}

TEST_F(Processes, ShellRequests) {
    EXPECT_NE(ShellExecuteAndWait(Helper().c_str(), (L"mark \"" + marker + L"\"").c_str(), SW_HIDE),
              0);
    EXPECT_TRUE(FileExists(marker));

    // A document without an associated program: the shell refuses it, after telling the user in
    // a box of its own, which a watcher closes.
    const std::wstring document = folder.Path() + L"\\document.sstnoassoc";
    ASSERT_TRUE(WriteFileBytes(document, "x"));
    std::atomic<bool> done{false};
    std::thread closer([&done] {
        while (!done) {
            EnumWindows(
                [](HWND window, LPARAM) -> BOOL {
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    if (owner == GetCurrentProcessId() && IsWindowVisible(window)) {
                        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                        PostMessageW(window, WM_CLOSE, 0, 0);
                    }
                    return TRUE;
                },
                0);
            Sleep(100);
        }
    });
    EXPECT_EQ(ShellOpen(document.c_str(), nullptr, SW_SHOWNORMAL), 0);
    EXPECT_EQ(ShellExecuteAndWait(document.c_str(), nullptr, SW_SHOWNORMAL), 0);
    done = true;
    closer.join();
}

TEST_F(Processes, TerminateProcessesByNameMatchesCaseSensitively) {
    const std::wstring unique = L"sstTerm" + std::to_wstring(GetCurrentProcessId());
    const std::wstring copy = folder.Path() + L"\\" + unique + L"x.exe";
    ASSERT_TRUE(CopyFileW(Helper().c_str(), copy.c_str(), FALSE));
    std::vector<HANDLE> started;
    for (int i = 0; i < 2; ++i) {
        std::wstring line = L"\"" + copy + L"\" sleep 60000 7";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info));
        CloseHandle(info.hThread);
        started.push_back(info.hProcess);
    }
    std::wstring lower = unique;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(towlower(c));
    }
    EXPECT_EQ(TerminateProcessesByName(lower.c_str()), 1); // differs in case: nothing matches
    EXPECT_EQ(Running(unique + L"x.exe").size(), 2u);
    EXPECT_EQ(TerminateProcessesByName(L"sstNoSuchProgram"), 1);

    EXPECT_EQ(TerminateProcessesByName(unique.c_str()), 1);
    for (HANDLE process : started) {
        EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
        DWORD exitCode = 99;
        GetExitCodeProcess(process, &exitCode);
        EXPECT_EQ(exitCode, 0u); // terminated with 0, not the 7 of a normal end
        CloseHandle(process);
    }
    // The caller itself is spared.
    EXPECT_EQ(TerminateProcessesByName(L"process_tests"), 1);
}

} // namespace
