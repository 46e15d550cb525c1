// A child process for the Windows tests: something to find in a snapshot, measure and end.
//   test_child wait          sleeps (at most 60 s)
//   test_child spin <ms>     keeps every processor busy for that long
//   test_child busy <ms>     keeps one processor busy for that long
//   test_child window        runs a top-level window until it is closed (at most 60 s)
//   test_child driver        opens the hardware driver as the program does; exit code bit 0: a
//                            driver channel is open, bit 1: a DManager.dll is found by name
//   test_child record <file> <arguments...>
//                            appends the arguments, one line, to the file (a stand-in for the
//                            program the shell opens addresses with)
//   test_child load <names...>
//                            loads each library by name, as a program importing them would
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "drivers/DriverManager_win.h"

namespace {

constexpr DWORD kLongestLifeMs = 60000;

void Spin(DWORD milliseconds, DWORD processors) {
  DWORD until = GetTickCount() + milliseconds;
  std::vector<std::thread> threads;
  for (DWORD i = 0; i < processors; ++i) {
    threads.emplace_back([until] {
      volatile unsigned counter = 0;
      while (static_cast<LONG>(GetTickCount() - until) < 0) counter = counter + 1;
    });
  }
  for (auto& thread : threads) thread.join();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunWindow() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VsmTestChild";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"VsmTestChild", L"test child", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 2;
  SetTimer(window, 1, kLongestLifeMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  return 0;
}

int Record(int argc, char** argv) {
  if (argc < 3) return 2;
  std::FILE* file = std::fopen(argv[2], "ab");
  if (file == nullptr) return 2;
  for (int i = 3; i < argc; ++i) std::fprintf(file, "%s%s", i > 3 ? " " : "", argv[i]);
  std::fputs("\n", file);
  std::fclose(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "wait";
  const bool spin = std::strcmp(mode, "spin") == 0;
  if (spin || std::strcmp(mode, "busy") == 0) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const DWORD milliseconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 1000;
    Spin(std::min(milliseconds, kLongestLifeMs), spin ? info.dwNumberOfProcessors : 1);
    return 0;
  }
  if (std::strcmp(mode, "window") == 0) return RunWindow();
  if (std::strcmp(mode, "driver") == 0) {
    int found = vsm::OpenDriverChannel(vsm::DriverKind::HardwareAccess)->IsOpen() ? 1 : 0;
    // Only after the program's own loading: would the DLL search order have found one?
    if (LoadLibraryW(L"DManager.dll") != nullptr) found |= 2;
    return found;
  }
  if (std::strcmp(mode, "record") == 0) return Record(argc, argv);
  if (std::strcmp(mode, "load") == 0) {
    int missing = 0;
    for (int i = 2; i < argc; ++i) missing += LoadLibraryA(argv[i]) == nullptr ? 1 : 0;
    return missing;
  }
  Sleep(kLongestLifeMs);
  return 0;
}
