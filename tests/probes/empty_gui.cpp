// A GUI program that does nothing: the baseline of the benchmark script.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
