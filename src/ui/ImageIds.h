#pragma once
// Resource numbers of the PNG images embedded in the executable (type RCDATA). Shared by the
// resource script and the code, so plain defines. An image drawn at twice its size for high DPI
// has its number plus IDP_DOUBLE_SIZE.
#define IDP_STRIP_UPLOAD 101
#define IDP_STRIP_DOWNLOAD 102
#define IDP_STRIP_HIGHLIGHT 103
#define IDP_CHART_BACKGROUND 110
#define IDP_POPUP_FRAME_BELOW 111
#define IDP_POPUP_FRAME_ABOVE 112
#define IDP_PIE_BACKGROUND 113
#define IDP_PIE_USED 114
#define IDP_END_PROCESS_NORMAL 120
#define IDP_END_PROCESS_HOT 121
#define IDP_END_PROCESS_PRESSED 122
#define IDP_GENERIC_PROGRAM 130

#define IDP_DOUBLE_SIZE 1000
