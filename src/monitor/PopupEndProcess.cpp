#include "monitor/PopupEndProcess.h"

namespace vsm {

TPopupEndOutcome EndPopupRowProcess(TProcessItemRef& rowItem, const TEndProcessItem& endProcess) {
  if (!rowItem) return TPopupEndOutcome::None;
  if (!endProcess(rowItem.get())) return TPopupEndOutcome::Refused;
  rowItem.reset();
  return TPopupEndOutcome::Ended;
}

}  // namespace vsm
