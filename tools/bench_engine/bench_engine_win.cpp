// One engine sample (memory load, total CPU load, machine traffic, the process-list pass) against
// the same system calls made directly: a memory status, three system-information queries, a
// process snapshot walk and one process-times call per process. Prints both medians and their
// ratio; the engine's own work is the difference.
//   bench_engine [samples [extra processes]]
// Extra processes are idle copies of this program, so that the list has more to walk.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/library_win.h"
#include "software/Software_win.h"

namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG infoClass, void* buffer, ULONG length,
                                                 ULONG* returned);

class BareSample {
 public:
  BareSample() {
    query_ = vsm::BindFunction<NtQuerySystemInformationFn>(GetModuleHandleW(L"ntdll.dll"),
                                                           "NtQuerySystemInformation");
    // The engine keeps a handle per process from its first snapshot; so does this.
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
      if (process != nullptr) processes_.push_back(process);
    }
    CloseHandle(snapshot);
  }
  ~BareSample() {
    for (HANDLE process : processes_) CloseHandle(process);
  }

  void Run() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    uint8_t basic[44], performance[368], timeOfDay[32];
    query_(0, basic, sizeof basic, nullptr);
    query_(3, timeOfDay, sizeof timeOfDay, nullptr);
    query_(2, performance, sizeof performance, nullptr);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    }
    CloseHandle(snapshot);
    for (HANDLE process : processes_) {
      FILETIME creation, exit, kernel, user;
      GetProcessTimes(process, &creation, &exit, &kernel, &user);
      GetTickCount();
    }
  }

 private:
  NtQuerySystemInformationFn query_ = nullptr;
  std::vector<HANDLE> processes_;
};

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double ticksPerMicrosecond = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) / ticksPerMicrosecond;
}

template <typename Work>
double Time(Work&& work) {
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  work();
  QueryPerformanceCounter(&to);
  return Microseconds(from, to);
}

// Idle copies of this program, ended when the benchmark ends.
class IdleProcesses {
 public:
  explicit IdleProcesses(int count) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    for (int i = 0; i < count; ++i) {
      std::wstring command = L"\"" + std::wstring(path) + L"\" --idle";
      STARTUPINFOW startup = {};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION info = {};
      if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        continue;
      CloseHandle(info.hThread);
      processes_.push_back(info.hProcess);
    }
  }
  ~IdleProcesses() {
    for (HANDLE process : processes_) {
      TerminateProcess(process, 0);
      CloseHandle(process);
    }
  }

 private:
  std::vector<HANDLE> processes_;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--idle") {
    Sleep(60000);
    return 0;
  }
  int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  IdleProcesses extra(argc > 2 ? std::max(0, std::atoi(argv[2])) : 0);
  Sleep(500);  // let them start
  std::unique_ptr<vsm::TSoftware> engine = vsm::CreateSoftware();
  BareSample bare;
  auto engineSample = [&] {
    engine->UpdateSystem();
    engine->UpdateProcesses();
  };
  for (int i = 0; i < 5; ++i) {
    engineSample();
    bare.Run();
  }
  // Interleaved, so that both see the same machine load.
  std::vector<double> engineTimes, bareTimes;
  for (int i = 0; i < samples; ++i) {
    engineTimes.push_back(Time(engineSample));
    bareTimes.push_back(Time([&] { bare.Run(); }));
  }
  int processes = engine->ProcessList().Count();
  engine->ReleaseProcessList();
  double engineMedian = Median(engineTimes);
  double bareMedian = Median(bareTimes);
  std::printf("processes: %d, samples: %d, traffic driver: %s\n", processes, samples,
              engine->HasTdiData() ? "open" : "absent");
  std::printf("engine sample:     %9.1f us (median)\n", engineMedian);
  std::printf("bare system calls: %9.1f us (median)\n", bareMedian);
  std::printf("ratio:             %9.2f\n", engineMedian / bareMedian);
  return 0;
}
