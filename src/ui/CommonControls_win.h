#pragma once
// The common controls library, bound at run time: it is no known DLL, and a program that imports
// it gets it, and the libraries it depends on, resolved before its own code can restrict the DLL
// search order.
#include <windows.h>

namespace vsm {

// InitCommonControlsEx for `classes` (ICC_ flags); false without the library.
bool InitCommonControlClasses(DWORD classes);

}  // namespace vsm
