// A stand-in for a system library, planted beside a copy of the program: when anything loads it,
// it leaves "<its own path>.loaded" beside itself. It exports nothing, so a program that imported
// the library it stands in for would not even start with it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      lstrcatW(path, L".loaded");
      HANDLE mark =
          CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
    }
  }
  return TRUE;
}
