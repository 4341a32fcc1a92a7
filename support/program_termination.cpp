// Termination of the programs on an uncaught exception (only std::bad_alloc can arise).
//
// libstdc++'s default handler prints the exception's demangled type name to stderr before it
// aborts. The programs are GUI programs without a console, so nothing would see the text, and
// the demangler it pulls in is a third of a statically linked program. This handler aborts
// straight away, which ends the process abnormally just the same.
#include <cstdlib> // defines __GLIBCXX__ when the library is libstdc++

#if defined(__GLIBCXX__)

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif
