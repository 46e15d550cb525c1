#include "support/NavigationFilter.h"

namespace vsm {

TNavigationAction FilterNavigation(std::string_view address, std::string_view questionPrefix,
                                   std::string_view newQuestionPrefix) {
  const bool questionPage = address.starts_with(newQuestionPrefix) || address.starts_with(questionPrefix);
  if (questionPage && address.find("guid") == std::string_view::npos) {
    return TNavigationAction::naReopenWithIdentity;
  }
  if (address == "javascript:screenshot;") return TNavigationAction::naScreenshot;
  if (address == "javascript:add-image;") return TNavigationAction::naAddImage;
  if (address == "javascript:add-file;") return TNavigationAction::naAddFile;
  return TNavigationAction::naOpen;
}

}  // namespace vsm
