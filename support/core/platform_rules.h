// Decisions of the platform identification that need no Windows call: the edition table, the
// processor identifier test and the upper-casing of names.
#pragma once

#include <cstddef>

namespace setupcore {

// Flags of the edition table, in the order of the platform record.
enum PlatformFlag {
    kNoPlatformFlag = -1,
    kWindows2000 = 0,
    kWindowsXp,
    kWindowsServer2003,
    kWindowsVista,
    kWindowsServer2008,
    kWindowsServer2008R2,
    kHpcServer,
    kWindows7,
    kWindows8,
};

constexpr unsigned kWorkstation = 1; // VER_NT_WORKSTATION

// The flag a version sets, or kNoPlatformFlag. `hpcTest` is called (with no argument) only for
// servers of version 6.0 and 6.1, the one case where the version record does not decide.
template <typename HpcTest>
PlatformFlag ClassifyPlatform(unsigned major, unsigned minor, unsigned productType,
                              HpcTest hpcTest) {
    const bool workstation = productType == kWorkstation;
    if (major == 5) {
        switch (minor) {
        case 0:
            return kWindows2000;
        case 1:
            return kWindowsXp;
        case 2:
            return workstation ? kWindowsXp : kWindowsServer2003;
        default:
            return kNoPlatformFlag;
        }
    }
    if (major == 6) {
        if (!workstation && (minor == 0 || minor == 1)) {
            if (hpcTest()) {
                return kHpcServer;
            }
            return minor == 0 ? kWindowsServer2008 : kWindowsServer2008R2;
        }
        if (workstation) {
            switch (minor) {
            case 0:
                return kWindowsVista;
            case 1:
                return kWindows7;
            case 2:
                return kWindows8;
            default:
                return kNoPlatformFlag;
            }
        }
    }
    return kNoPlatformFlag;
}

// Whether a text contains `part` (both terminated), compared unit by unit.
template <typename WideChar, typename PartChar>
bool ContainsText(const WideChar* text, const PartChar* part) {
    for (; *text != 0; ++text) {
        size_t i = 0;
        while (part[i] != 0 && text[i] == static_cast<WideChar>(part[i])) {
            ++i;
        }
        if (part[i] == 0) {
            return true;
        }
    }
    return part[0] == 0;
}

// Whether a PROCESSOR_IDENTIFIER value names a 64-bit processor: it contains EM64T, AMD64 or
// Intel64, case-sensitively.
template <typename WideChar> bool IsProcessorIdentifier64Bit(const WideChar* identifier) {
    return ContainsText(identifier, "EM64T") || ContainsText(identifier, "AMD64") ||
           ContainsText(identifier, "Intel64");
}

// Copies `source` into `destination` (at least the source's length + 1 units; it may be the
// source itself) with a to z made capitals; every other unit, accented letters included, is
// copied unchanged.
template <typename WideChar> void CopyUpperAscii(const WideChar* source, WideChar* destination) {
    size_t i = 0;
    for (; source[i] != 0; ++i) {
        const WideChar c = source[i];
        destination[i] = (c >= 'a' && c <= 'z') ? static_cast<WideChar>(c - 'a' + 'A') : c;
    }
    destination[i] = 0;
}

} // namespace setupcore
