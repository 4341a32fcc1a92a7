// Reading one variable of this process's environment into an owned buffer.
#pragma once

#include <memory>

namespace setupsupport {

// The variable's value (size query, then fill), or null when it is not set or changed in
// between.
std::unique_ptr<wchar_t[]> EnvironmentValue(const wchar_t* name);

} // namespace setupsupport
