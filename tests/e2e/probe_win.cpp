// A small console program that drives the product from outside, for the end-to-end runs.
//
//   probe wait-window CLASS SECONDS      exit 0 once a top-level window of CLASS exists
//   probe wait-gone CLASS SECONDS        exit 0 once no window of CLASS exists
//   probe count-windows CLASS            print how many top-level windows of CLASS exist
//   probe send CLASS MESSAGE [WPARAM [LPARAM]]   SendMessage to the first window of CLASS
//   probe post CLASS MESSAGE [WPARAM [LPARAM]]   PostMessage to it
//   probe run EXE [ARGS...]              start EXE, wait for it, print its exit code
//   probe start EXE [ARGS...]            start EXE without waiting
//   probe screenshot FILE.bmp            capture the whole screen into a 32-bit BMP
//   probe appdata                        print the roaming application-data folder
//   probe reg-read-64 HKCR|HKLM|HKCU PATH VALUE   print a string value from the 64-bit view
//   probe tray-icon CLASS SECONDS        exit 0 once the shell holds the icon of the window of
//                                        CLASS (identifier: the window's handle value)
//   probe stand-in-shell CLASS SECONDS   act as a shell that has just started: own a taskbar
//                                        window, announce "TaskbarCreated", exit 0 once the window
//                                        of CLASS adds its icon there
//   probe window-rect CLASS              print "left top right bottom visible" of the first window
//   probe wait-visible CLASS 0|1 SECONDS exit 0 once the first window of CLASS is (1) or is not (0)
//                                        visible
//   probe window-text CLASS              print the first window's text
//   probe work-area                      print the primary work area "left top right bottom"
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Counter {
  const wchar_t* className;
  int count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* counter = reinterpret_cast<Counter*>(param);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (wcscmp(name, counter->className) == 0) ++counter->count;
  return TRUE;
}

int CountWindows(const wchar_t* className) {
  Counter counter{className, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counter));
  return counter.count;
}

bool WaitFor(const wchar_t* className, double seconds, bool present) {
  DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    bool exists = FindWindowW(className, nullptr) != nullptr;
    if (exists == present) return true;
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) return false;
    Sleep(100);
  }
}

std::wstring JoinArguments(int argc, wchar_t** argv, int first) {
  std::wstring line;
  for (int i = first; i < argc; ++i) {
    if (!line.empty()) line += L' ';
    std::wstring arg = argv[i];
    if (arg.empty() || arg.find_first_of(L" \t\"") != std::wstring::npos) {
      line += L'"' + arg + L'"';
    } else {
      line += arg;
    }
  }
  return line;
}

int Start(int argc, wchar_t** argv, bool wait) {
  std::wstring line = JoinArguments(argc, argv, 2);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fwprintf(stderr, L"cannot start %ls (%lu)\n", line.c_str(), GetLastError());
    return 2;
  }
  DWORD code = 0;
  if (wait) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &code);
    std::wprintf(L"%lu\n", code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int Screenshot(const wchar_t* file) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DWORD size = static_cast<DWORD>(width) * height * 4;
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  FILE* out = _wfopen(file, L"wb");
  int result = 2;
  if (out != nullptr) {
    fwrite(&header, sizeof header, 1, out);
    fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    fwrite(bits, 1, size, out);
    fclose(out);
    result = 0;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return result;
}

HKEY RootKey(const wchar_t* name) {
  if (wcscmp(name, L"HKCR") == 0) return HKEY_CLASSES_ROOT;
  if (wcscmp(name, L"HKLM") == 0) return HKEY_LOCAL_MACHINE;
  return HKEY_CURRENT_USER;
}

int ReadRegistry64(const wchar_t* root, const wchar_t* path, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(RootKey(root), path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return 1;
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  LONG status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return 1;
  std::wprintf(L"%ls\n", data);
  return 0;
}

// The shell answers a modification of an icon it holds and refuses one of an icon it does not.
bool ShellHoldsIcon(const wchar_t* className) {
  HWND window = FindWindowW(className, nullptr);
  if (window == nullptr) return false;
  NOTIFYICONDATAW record = {};
  record.cbSize = sizeof record;
  record.hWnd = window;
  record.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(window));
  return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool WaitForTrayIcon(const wchar_t* className, double seconds) {
  const DWORD start = GetTickCount();
  while (!ShellHoldsIcon(className)) {
    if (GetTickCount() - start > static_cast<DWORD>(seconds * 1000)) return false;
    Sleep(100);
  }
  return true;
}

// A restarted shell: the taskbar window receives Shell_NotifyIconW's requests as WM_COPYDATA
// (the icon's window in wParam, the request in dwData).
struct StandInShell {
  HWND iconWindow = nullptr;
  bool added = false;
};

LRESULT CALLBACK StandInShellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* shell = reinterpret_cast<StandInShell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && shell != nullptr) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (reinterpret_cast<HWND>(wParam) == shell->iconWindow && data->dwData == NIM_ADD) shell->added = true;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int RunStandInShell(const wchar_t* className, double seconds) {
  StandInShell shell;
  shell.iconWindow = FindWindowW(className, nullptr);
  if (shell.iconWindow == nullptr || FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr) return 1;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = StandInShellProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  RegisterClassW(&wc);
  HWND tray = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                              nullptr);
  if (tray == nullptr) return 1;
  SetWindowLongPtrW(tray, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shell));
  SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  const DWORD start = GetTickCount();
  while (!shell.added && GetTickCount() - start < static_cast<DWORD>(seconds * 1000)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  DestroyWindow(tray);
  return shell.added ? 0 : 1;
}

bool WaitVisible(const wchar_t* className, bool visible, double seconds) {
  DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND window = FindWindowW(className, nullptr);
    if (window != nullptr && (IsWindowVisible(window) != FALSE) == visible) return true;
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) return false;
    Sleep(100);
  }
}

struct ChildSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (wcscmp(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring command = argv[1];
  auto number = [&](int index) -> UINT_PTR {
    return index < argc ? static_cast<UINT_PTR>(wcstoul(argv[index], nullptr, 0)) : 0;
  };
  if (command == L"wait-window" && argc >= 4) return WaitFor(argv[2], _wtof(argv[3]), true) ? 0 : 1;
  if (command == L"wait-gone" && argc >= 4) return WaitFor(argv[2], _wtof(argv[3]), false) ? 0 : 1;
  if (command == L"count-windows" && argc >= 3) {
    std::wprintf(L"%d\n", CountWindows(argv[2]));
    return 0;
  }
  if ((command == L"send" || command == L"post") && argc >= 4) {
    HWND window = FindWindowW(argv[2], nullptr);
    if (window == nullptr) return 1;
    UINT message = static_cast<UINT>(number(3));
    if (command == L"send") {
      std::wprintf(L"%ld\n", static_cast<long>(SendMessageW(window, message, number(4), number(5))));
      return 0;
    }
    return PostMessageW(window, message, number(4), number(5)) ? 0 : 1;
  }
  if (command == L"run" && argc >= 3) return Start(argc, argv, true);
  if (command == L"start" && argc >= 3) return Start(argc, argv, false);
  if (command == L"screenshot" && argc >= 3) return Screenshot(argv[2]);
  if (command == L"appdata") {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path))) return 1;
    std::wprintf(L"%ls\n", path);
    return 0;
  }
  if (command == L"reg-read-64" && argc >= 5) return ReadRegistry64(argv[2], argv[3], argv[4]);
  if (command == L"tray-icon" && argc >= 4) return WaitForTrayIcon(argv[2], _wtof(argv[3])) ? 0 : 1;
  if (command == L"stand-in-shell" && argc >= 4) return RunStandInShell(argv[2], _wtof(argv[3]));
  if (command == L"window-rect" && argc >= 3) {
    HWND window = FindWindowW(argv[2], nullptr);
    RECT r{};
    if (window == nullptr || !GetWindowRect(window, &r)) return 1;
    std::wprintf(L"%ld %ld %ld %ld %d\n", r.left, r.top, r.right, r.bottom, IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  // A child window of a top-level window, at any depth: its rectangle and whether it shows.
  if (command == L"child-rect" && argc >= 4) {
    HWND parent = FindWindowW(argv[2], nullptr);
    ChildSearch search{argv[3], nullptr};
    if (parent != nullptr) EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    RECT r{};
    if (search.found == nullptr || !GetWindowRect(search.found, &r)) return 1;
    std::wprintf(L"%ld %ld %ld %ld %d\n", r.left, r.top, r.right, r.bottom,
                 IsWindowVisible(search.found) ? 1 : 0);
    return 0;
  }
  if (command == L"wait-visible" && argc >= 5)
    return WaitVisible(argv[2], number(3) != 0, _wtof(argv[4])) ? 0 : 1;
  if (command == L"window-text" && argc >= 3) {
    HWND window = FindWindowW(argv[2], nullptr);
    wchar_t text[256] = {};
    if (window == nullptr) return 1;
    GetWindowTextW(window, text, 256);
    std::wprintf(L"%ls\n", text);
    return 0;
  }
  if (command == L"work-area") {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    std::wprintf(L"%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  return 2;
}
