// Starting programs and opening documents.
#include "setupsupport.h"
#include "owners.h"
#include "process_launch_internal.h"

#include <shellapi.h>

#include <cwchar>
#include <memory>

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOW) == 68, "32-bit STARTUPINFOW is 68 bytes");
static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "32-bit SHELLEXECUTEINFOW is 60 bytes");
#endif

namespace {

// CreateProcessW may write into its command line: it gets a private copy, so that callers may
// pass constant strings.
std::unique_ptr<wchar_t[]> WritableCopy(const wchar_t* text) {
    return std::unique_ptr<wchar_t[]>(text != nullptr ? ConcatWide(1, text) : nullptr);
}

// A start-up record that is zero but for its size, the desktop and the show command.
STARTUPINFOW StartupRecord(wchar_t* desktop, int showCommand) {
    STARTUPINFOW startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.lpDesktop = desktop;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand & 0xFFFF);
    return startup;
}

// A shell request record that is zero but for these fields: no window, no directory.
SHELLEXECUTEINFOW ShellRequest(ULONG mask, const wchar_t* verb, const wchar_t* file,
                               const wchar_t* parameters, int showCommand) {
    SHELLEXECUTEINFOW request;
    memset(&request, 0, sizeof(request));
    request.cbSize = sizeof(request);
    request.fMask = mask;
    request.lpVerb = verb;
    request.lpFile = file;
    request.lpParameters = parameters;
    request.nShow = showCommand;
    return request;
}

// Starts a program hidden, with inheritable handles; -1 when it cannot be started.
int StartHidden(const wchar_t* commandLine, DWORD creationFlags, bool wait) {
    STARTUPINFOW startup = StartupRecord(nullptr, SW_HIDE);
    PROCESS_INFORMATION process = {};
    const std::unique_ptr<wchar_t[]> line = WritableCopy(commandLine);
    if (!CreateProcessW(nullptr, line.get(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    if (wait) {
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    return CloseHandle(process.hProcess);
}

} // namespace

namespace setupsupport {

int RunProgramPolling(const wchar_t* applicationName, const wchar_t* commandLine, int showCommand,
                      int noWait, int pollLimit, DWORD pauseMilliseconds) {
    wchar_t desktop[] = L"";
    STARTUPINFOW startup = StartupRecord(desktop, showCommand);
    PROCESS_INFORMATION started = {};
    const std::unique_ptr<wchar_t[]> line = WritableCopy(commandLine);
    if (!CreateProcessW(applicationName, line.get(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &started)) {
        return -1; // reported, unlike a run that ends
    }
    const UniqueHandle process = OwnHandle(started.hProcess);
    const UniqueHandle thread = OwnHandle(started.hThread);
    if (noWait == 1) {
        return 0;
    }
    // Each poll reads the exit code, pauses, then decides on the reading taken before the pause.
    for (int poll = 1;; ++poll) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.get(), &exitCode);
        Sleep(pauseMilliseconds);
        if (poll == pollLimit) {
            TerminateProcess(process.get(), 0);
            break;
        }
        if (exitCode != STILL_ACTIVE) {
            break;
        }
    }
    return 0;
}

} // namespace setupsupport

int RunProgramWithTimeout(const wchar_t* applicationName, const wchar_t* commandLine,
                          int showCommand, int noWait) {
    return setupsupport::RunProgramPolling(applicationName, commandLine, showCommand, noWait, 30,
                                           1000);
}

int ShellExecuteAndWait(const wchar_t* file, const wchar_t* parameters, int showCommand) {
    SHELLEXECUTEINFOW request =
        ShellRequest(SEE_MASK_NOCLOSEPROCESS, nullptr, file, parameters, showCommand);
    const BOOL accepted = ShellExecuteExW(&request);
    if (!accepted) {
        return 0;
    }
    // The shell hands out no process when the request did not start one.
    const setupsupport::UniqueHandle process = setupsupport::OwnHandle(request.hProcess);
    if (process) {
        WaitForSingleObject(process.get(), INFINITE);
    }
    return accepted;
}

int ShellOpen(const wchar_t* file, const wchar_t* parameters, int showCommand) {
    SHELLEXECUTEINFOW request = ShellRequest(0, L"open", file, parameters, showCommand);
    return ShellExecuteExW(&request);
}

int RunHiddenAndWait(const wchar_t* commandLine) {
    return StartHidden(commandLine, 0, true);
}

int RunHiddenDetached(const wchar_t* commandLine) {
    return StartHidden(commandLine, CREATE_NEW_PROCESS_GROUP, false);
}
