#include "ui/Wic_win.h"

namespace vsm {

TWicFactory::TWicFactory() {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                   reinterpret_cast<void**>(factory_.Put()));
}

}  // namespace vsm
