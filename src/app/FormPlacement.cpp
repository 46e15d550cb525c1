#include "app/FormPlacement.h"

namespace vsm {

int CentredOffset(int workAreaExtent, int formSize) {
  int twice = workAreaExtent - formSize;
  int half = twice / 2;  // truncates toward zero
  if (twice % 2 == 0) return half;
  // An exact .5: round to the even neighbour.
  int other = twice > 0 ? half + 1 : half - 1;
  return half % 2 == 0 ? half : other;
}

}  // namespace vsm
