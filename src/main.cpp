// Entry point of Vesk System Monitor.
#include <windows.h>

#include "app/EntryRoutine_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return vsm::RunEntryRoutine(instance); }
