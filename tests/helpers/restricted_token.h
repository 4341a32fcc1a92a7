// Impersonation of a filtered administrator: the Administrators group marked deny-only.
#pragma once

#include <windows.h>

namespace testing_support {

// A primary token: a copy of the process token in which S-1-5-32-544 is deny-only, or null.
// The caller closes it.
HANDLE CreateFilteredAdministratorToken();

// While alive, the calling thread impersonates a copy of the process token in which
// S-1-5-32-544 is deny-only. `active()` tells whether the impersonation took effect.
class FilteredAdministrator {
  public:
    FilteredAdministrator();
    ~FilteredAdministrator();
    FilteredAdministrator(const FilteredAdministrator&) = delete;
    FilteredAdministrator& operator=(const FilteredAdministrator&) = delete;
    bool active() const { return active_; }

  private:
    bool active_ = false;
};

} // namespace testing_support
