#pragma once
/* The seam between the simulated driver's kernel part (C, on the kernel's interfaces) and the
   simulated machine it serves (C++). The kernel part calls the SimBridge functions; the bridge
   asks the kernel part for what only the kernel knows through the SimKernel functions. */

#ifdef __cplusplus
extern "C" {
#endif

enum { SIM_DEVICE_HARDWARE = 1, SIM_DEVICE_FILTER = 2 };

/* Builds the simulated machine for the processor this runs on; nonzero on success. */
int SimBridgeStart(void);
void SimBridgeStop(void);

/* Answers one request of a device. `in` holds a private copy of the input; requester and
   requesterThread are the ids of the calling process and thread. Nonzero when the
   request succeeded; *returned is the number of bytes written into `out`. */
int SimBridgeHandle(int device, unsigned requester, unsigned requesterThread, unsigned code,
                    const unsigned char* in, unsigned inSize, unsigned char* out, unsigned outSize,
                    unsigned* returned);

/* Implemented by the kernel part. */
double SimKernelClock(void); /* seconds since the driver started */
unsigned SimKernelProcessorCount(void);
int SimKernelRequesterCpu(unsigned requesterThread);          /* the processor it is pinned to */
unsigned SimKernelListProcesses(unsigned* ids, unsigned max); /* live process ids, at most max */
/* Takes over the event whose handle value the requester registered (0: forget the event);
   zero when the handle names no event of that process. */
int SimKernelAdoptEvent(unsigned requester, unsigned handleValue);
void SimKernelSetEvent(void);

#ifdef __cplusplus
}
#endif
