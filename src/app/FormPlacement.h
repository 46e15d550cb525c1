#pragma once
// Where a form goes when it is centred in the work area.

namespace vsm {

// (extent - size) / 2, rounded half to even. The work area's origin is not added: the hidden main
// form is placed relative to the screen's origin.
int CentredOffset(int workAreaExtent, int formSize);

}  // namespace vsm
