// Reading of the program path shared by the operations that start from the program's location.
#pragma once

#include <cstddef>
#include <memory>

namespace setupsupport {

struct ProgramPath {
    std::unique_ptr<wchar_t[]> text; // terminated
    size_t length;
};

// The full path of the running program, however long it is (empty if the system reports none).
ProgramPath ReadProgramPath();

} // namespace setupsupport
