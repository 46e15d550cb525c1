#pragma once
// ntdll's system-information query, bound at run time.
#include <windows.h>

namespace vsm {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG infoClass, void* buffer, ULONG length,
                                                 ULONG* returned);

// Null when ntdll does not export it.
NtQuerySystemInformationFn NtQuerySystemInformationFunction();

}  // namespace vsm
