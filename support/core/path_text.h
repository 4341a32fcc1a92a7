// Text steps on paths that need no Windows call.
#pragma once

namespace setupcore {

// Collapses each run of backslashes into one, in place, except at the very start of the text,
// where the two backslashes of a UNC path (\\server\share) stay.
template <typename WideChar> void CollapseSeparators(WideChar* path) {
    WideChar* write = path;
    const WideChar* read = path;
    if (read[0] == '\\' && read[1] == '\\') {
        *write++ = *read++;
        *write++ = *read++;
    }
    while (*read != 0) {
        const bool repeated = *read == '\\' && write > path && write[-1] == '\\';
        if (!repeated) {
            *write++ = *read;
        }
        ++read;
    }
    *write = 0;
}

} // namespace setupcore
