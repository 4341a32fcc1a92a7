// The polling of RunProgramWithTimeout with its limit and pause as parameters, so that tests can
// run it with a short pause as well as with the real 30 polls of 1000 ms.
#pragma once

#include <windows.h>

namespace setupsupport {

int RunProgramPolling(const wchar_t* applicationName, const wchar_t* commandLine, int showCommand,
                      int noWait, int pollLimit, DWORD pauseMilliseconds);

} // namespace setupsupport
