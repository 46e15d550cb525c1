/* The kernel part of the simulated driver: two devices (hardware access and network filter)
   whose device-control requests go to the simulated machine, process listing, the registered
   process-creation event, and the entry point. */
#include <ntifs.h>

#include "SimDriverBridge.h"
#include "SimDriverProtocol.h"

/* Thread basic information (class 0 of the thread query): the affinity mask tells on which
   processor a pinned requester wants its model-specific registers read. */
typedef struct {
  NTSTATUS ExitStatus;
  PVOID TebBaseAddress;
  CLIENT_ID ClientId;
  ULONG_PTR AffinityMask;
  LONG Priority;
  LONG BasePriority;
} SIM_THREAD_BASIC_INFORMATION;
NTSYSAPI NTSTATUS NTAPI NtOpenThread(PHANDLE thread, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes,
                                     PCLIENT_ID client);
NTSYSAPI NTSTATUS NTAPI NtQueryInformationThread(HANDLE thread, ULONG infoClass, PVOID info, ULONG length,
                                                 PULONG returned);
NTSYSAPI NTSTATUS NTAPI ZwQuerySystemInformation(ULONG infoClass, PVOID info, ULONG length, PULONG returned);
#define SIM_SYSTEM_PROCESS_INFORMATION 5
#define SIM_THREAD_QUERY_LIMITED_INFORMATION 0x0800
/* Offsets in a 32-bit SYSTEM_PROCESS_INFORMATION record. */
#define SIM_PROCESS_NEXT_OFFSET 0
#define SIM_PROCESS_ID_OFFSET 68
/* "VsSm" in a pool dump. */
static const ULONG kPoolTag = 0x6D537356;

static DEVICE_OBJECT* g_hardware;
static DEVICE_OBJECT* g_filter;
static LONGLONG g_started;
static HANDLE g_event; /* our handle on the registered process-creation event */

/* The system time: Wine leaves the interrupt time of the shared user data standing still. */
static LONGLONG SystemTime(void) {
  LARGE_INTEGER now;
  KeQuerySystemTime(&now);
  return now.QuadPart;
}

double SimKernelClock(void) { return (double)(SystemTime() - g_started) / 1e7; }

unsigned SimKernelProcessorCount(void) { return KeQueryActiveProcessorCount(NULL); }

int SimKernelRequesterCpu(unsigned requesterThread) {
  OBJECT_ATTRIBUTES attributes;
  CLIENT_ID client = {NULL, (HANDLE)(ULONG_PTR)requesterThread};
  SIM_THREAD_BASIC_INFORMATION info;
  HANDLE thread;
  int cpu = 0;
  InitializeObjectAttributes(&attributes, NULL, 0, NULL, NULL);
  if (!NT_SUCCESS(NtOpenThread(&thread, SIM_THREAD_QUERY_LIMITED_INFORMATION, &attributes, &client)))
    return 0;
  if (NT_SUCCESS(NtQueryInformationThread(thread, 0, &info, sizeof info, NULL)) && info.AffinityMask != 0) {
    /* The lowest processor of the mask: a thread pinned to one processor names exactly that. */
    while ((info.AffinityMask & ((ULONG_PTR)1 << cpu)) == 0) ++cpu;
  }
  ZwClose(thread);
  return cpu;
}

unsigned SimKernelListProcesses(unsigned* ids, unsigned max) {
  ULONG size = 0x10000;
  unsigned count = 0;
  for (;;) {
    UCHAR* buffer = ExAllocatePoolWithTag(PagedPool, size, kPoolTag);
    ULONG needed = 0;
    NTSTATUS status;
    if (buffer == NULL) return 0;
    status = ZwQuerySystemInformation(SIM_SYSTEM_PROCESS_INFORMATION, buffer, size, &needed);
    if (status == STATUS_INFO_LENGTH_MISMATCH && size < 0x1000000) {
      ExFreePoolWithTag(buffer, kPoolTag);
      size *= 2;
      continue;
    }
    if (NT_SUCCESS(status)) {
      ULONG offset = 0;
      for (;;) {
        ULONG next = *(ULONG*)(buffer + offset + SIM_PROCESS_NEXT_OFFSET);
        ULONG id = (ULONG)(ULONG_PTR) * (HANDLE*)(buffer + offset + SIM_PROCESS_ID_OFFSET);
        if (id != 0 && count < max) ids[count++] = id;
        if (next == 0 || offset + next + SIM_PROCESS_ID_OFFSET + sizeof(HANDLE) > size) break;
        offset += next;
      }
    }
    ExFreePoolWithTag(buffer, kPoolTag);
    return count;
  }
}

/* The requester's handle value means something only in the requester's process: the driver
   takes its own handle on the event, as a driver running in another context must. */
int SimKernelAdoptEvent(unsigned requester, unsigned handleValue) {
  OBJECT_ATTRIBUTES attributes;
  CLIENT_ID client = {(HANDLE)(ULONG_PTR)requester, NULL};
  HANDLE process;
  HANDLE event = NULL;
  NTSTATUS status;
  if (g_event != NULL) {
    ZwClose(g_event);
    g_event = NULL;
  }
  if (handleValue == 0) return 1;
  InitializeObjectAttributes(&attributes, NULL, OBJ_KERNEL_HANDLE, NULL, NULL);
  if (!NT_SUCCESS(ZwOpenProcess(&process, PROCESS_DUP_HANDLE, &attributes, &client))) return 0;
  status = ZwDuplicateObject(process, (HANDLE)(ULONG_PTR)handleValue, NtCurrentProcess(), &event,
                             EVENT_MODIFY_STATE, 0, 0);
  ZwClose(process);
  if (!NT_SUCCESS(status)) return 0;
  g_event = event;
  return 1;
}

void SimKernelSetEvent(void) {
  if (g_event != NULL) ZwSetEvent(g_event, NULL);
}

static ULONG RequesterOf(IRP* irp) {
  PEPROCESS process = IoGetRequestorProcess(irp);
  return (ULONG)(ULONG_PTR)(process != NULL ? PsGetProcessId(process) : PsGetCurrentProcessId());
}

static NTSTATUS Complete(IRP* irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS NTAPI DispatchOpenClose(DEVICE_OBJECT* device, IRP* irp) {
  (void)device;
  return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchControl(DEVICE_OBJECT* device, IRP* irp) {
  IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
  ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
  ULONG inSize = stack->Parameters.DeviceIoControl.InputBufferLength;
  ULONG outSize = stack->Parameters.DeviceIoControl.OutputBufferLength;
  UCHAR input[64];
  UCHAR* in;
  UCHAR* out;
  unsigned returned = 0;
  int kind = device == g_hardware ? SIM_DEVICE_HARDWARE : SIM_DEVICE_FILTER;
  if (METHOD_FROM_CTL_CODE(code) == METHOD_NEITHER) {
    in = stack->Parameters.DeviceIoControl.Type3InputBuffer;
    out = irp->UserBuffer;
  } else {
    /* Buffered: input and output share one system buffer, so the input is copied first. */
    in = out = irp->AssociatedIrp.SystemBuffer;
  }
  if (inSize > sizeof input || (inSize != 0 && in == NULL) || (outSize != 0 && out == NULL)) {
    return Complete(irp, STATUS_INVALID_PARAMETER, 0);
  }
  if (inSize != 0) RtlCopyMemory(input, in, inSize);
  if (!SimBridgeHandle(kind, RequesterOf(irp), (ULONG)(ULONG_PTR)PsGetCurrentThreadId(), code, input, inSize,
                       out, outSize, &returned)) {
    return Complete(irp, STATUS_UNSUCCESSFUL, 0);
  }
  return Complete(irp, STATUS_SUCCESS, returned);
}

static NTSTATUS AddDevice(DRIVER_OBJECT* driver, const WCHAR* name, const WCHAR* link,
                          DEVICE_OBJECT** device) {
  UNICODE_STRING deviceName;
  UNICODE_STRING linkName;
  NTSTATUS status;
  RtlInitUnicodeString(&deviceName, name);
  RtlInitUnicodeString(&linkName, link);
  status = IoCreateDevice(driver, 0, &deviceName, FILE_DEVICE_UNKNOWN, 0, FALSE, device);
  if (!NT_SUCCESS(status)) return status;
  status = IoCreateSymbolicLink(&linkName, &deviceName);
  if (!NT_SUCCESS(status)) {
    IoDeleteDevice(*device);
    *device = NULL;
  }
  return status;
}

static void RemoveDevice(const WCHAR* link, DEVICE_OBJECT** device) {
  UNICODE_STRING linkName;
  if (*device == NULL) return;
  RtlInitUnicodeString(&linkName, link);
  IoDeleteSymbolicLink(&linkName);
  IoDeleteDevice(*device);
  *device = NULL;
}

static void NTAPI Unload(DRIVER_OBJECT* driver) {
  (void)driver;
  RemoveDevice(VSM_SIM_HARDWARE_LINK, &g_hardware);
  RemoveDevice(VSM_SIM_FILTER_LINK, &g_filter);
  SimKernelAdoptEvent(0, 0);
  SimBridgeStop();
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
  NTSTATUS status;
  (void)registryPath;
  g_started = SystemTime();
  if (!SimBridgeStart()) return STATUS_INSUFFICIENT_RESOURCES;
  status = AddDevice(driver, VSM_SIM_HARDWARE_DEVICE, VSM_SIM_HARDWARE_LINK, &g_hardware);
  if (NT_SUCCESS(status)) status = AddDevice(driver, VSM_SIM_FILTER_DEVICE, VSM_SIM_FILTER_LINK, &g_filter);
  if (!NT_SUCCESS(status)) {
    Unload(driver);
    return status;
  }
  driver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
  driver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
  driver->DriverUnload = Unload;
  return STATUS_SUCCESS;
}

/* The image's entry point. The machine behind the devices is C++ with MinGW's static runtime,
   which imports user-mode system libraries; Wine's loader therefore treats this image as an
   ordinary library and calls its entry point as DllMain (with the image's own base as the first
   argument) before the device host calls it as DriverEntry. The first call initialises the C++
   runtime through the runtime's own DLL start-up code, the second starts the driver. */
int WINAPI DllMainCRTStartup(PVOID module, ULONG reason, PVOID reserved);
int WINAPI DllMain(PVOID module, ULONG reason, PVOID reserved) {
  (void)module;
  (void)reason;
  (void)reserved;
  return 1;
}
__asm__(
    ".globl _SimImageEntry@0\n"
    "_SimImageEntry@0:\n"
    "  movl 4(%esp), %eax\n"
    "  cmpl $___ImageBase, %eax\n"
    "  je _DllMainCRTStartup@12\n"
    "  jmp _DriverEntry@8\n");
