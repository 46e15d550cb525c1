#pragma once
/* Names of the simulated kernel driver and its one private request, shared by the driver, the
   test driver-manager library and the control tool. Plain C: the driver's kernel part is C. */

#define VSM_SIM_SERVICE_NAME L"VeskSimDrv"
#define VSM_SIM_DRIVER_FILE L"VeskSimDrv.sys"

/* Driver kind 1 of the driver-manager library: the hardware-access device. */
#define VSM_SIM_HARDWARE_DEVICE L"\\Device\\VeskSimHardware"
#define VSM_SIM_HARDWARE_LINK L"\\DosDevices\\VeskSimHardware"
#define VSM_SIM_HARDWARE_PATH L"\\\\.\\VeskSimHardware"

/* Driver kind 2: the network-filter device. */
#define VSM_SIM_FILTER_DEVICE L"\\Device\\VeskSimFilter"
#define VSM_SIM_FILTER_LINK L"\\DosDevices\\VeskSimFilter"
#define VSM_SIM_FILTER_PATH L"\\\\.\\VeskSimFilter"

/* What a device has served: its reply is a row of records of three little-endian 32-bit words,
   requesting process id, control code and count, one per process and code. Device type 0x8000
   (vendor range), function 0x800, buffered, any access; the input is ignored. */
#define VSM_SIM_IOCTL_SERVED 0x80002000u
#define VSM_SIM_SERVED_RECORD_SIZE 12u
