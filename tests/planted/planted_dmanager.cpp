// A driver-manager library planted where the DLL search order would find it (a working folder,
// a folder on PATH). It hands out a real handle, so a program that loaded it would believe it has
// a driver.
#include <windows.h>

extern "C" __declspec(dllexport) HANDLE __stdcall GetDrvHandle(int) {
  return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

extern "C" __declspec(dllexport) BOOL
    __stdcall DrvIoControl(HANDLE, DWORD, void*, DWORD, void*, DWORD, DWORD* returned) {
  if (returned != nullptr) *returned = 0;
  return TRUE;
}
