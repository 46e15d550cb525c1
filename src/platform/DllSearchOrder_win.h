#pragma once
// The DLL search order of this elevated process: libraries loaded by name (by the system or by
// components on the program's behalf) come from the system folder only, never from the program's
// folder, the working folder or PATH, where users may have planted a copy.
namespace vsm {

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where it exists (Windows 8, and Vista and
// 7 with their update); else SetDllDirectoryW(L"") takes the working folder out of the order (XP
// SP1 on). Both bound at run time; call first thing.
void RestrictDllSearchOrder();

}  // namespace vsm
