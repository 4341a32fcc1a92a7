# Compile and link settings shared by every target of the project. Compiler-specific flags sit
# behind generator expressions so that the same project configures with MinGW-w64 and with MSVC.

add_library(setupsupport_options INTERFACE)
target_compile_definitions(setupsupport_options INTERFACE
    UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
    $<$<CXX_COMPILER_ID:MSVC>:_CRT_SECURE_NO_WARNINGS>
    # Windows Vista is the oldest system the programs support.
    _WIN32_WINNT=0x0600 WINVER=0x0600 _WIN32_IE=0x0700)
target_compile_options(setupsupport_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Werror>
    $<$<CXX_COMPILER_ID:MSVC>:/W4 /WX /permissive- /utf-8 /EHsc>)

# Settings of the two shipped programs: GUI subsystem (set by add_executable(... WIN32)), fully
# static so that only Windows system DLLs are imported, ASLR and DEP on, a relocation section so
# that the image really moves, and stripped release images.
add_library(setupsupport_program_options INTERFACE)
target_link_options(setupsupport_program_options INTERFACE
    $<$<CXX_COMPILER_ID:GNU>:-static -Wl,--dynamicbase -Wl,--nxcompat -Wl,--enable-reloc-section>
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<EQUAL:${CMAKE_SIZEOF_VOID_P},8>>:-Wl,--high-entropy-va>
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<CONFIG:Release,MinSizeRel>>:-s>
    $<$<CXX_COMPILER_ID:MSVC>:/DYNAMICBASE /NXCOMPAT /MANIFEST:NO>)
