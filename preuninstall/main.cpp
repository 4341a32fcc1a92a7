// preuninstall: run before the product's files go. Silent; always ends with exit code 0.
#include "setupsupport.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    return 0;
}
