#pragma once
// The browser control's own protections for this process, which runs elevated and shows servers'
// pages: the local machine zone locked down (no script or active content from local files), no
// page raising itself to a more trusted zone, no ActiveX installation and no download without the
// user asking. Turned on once, before the first control is made; urlmon is bound at run time.
namespace vsm {

void ApplyBrowserProtections();

}  // namespace vsm
