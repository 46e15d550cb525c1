#pragma once
// What the support centre does with an address its browser is about to open: question pages get
// the installation's identity added, three pseudo-links of the pages ask for native actions, and
// everything else is left to the browser host's check against the site.
#include <string_view>

namespace vsm {

enum class TNavigationAction {
  naOpen,                // no concern of the support centre
  naReopenWithIdentity,  // cancel, and open it again followed by the identity suffix
  naScreenshot,          // cancel, and take a screenshot
  naAddImage,            // cancel, and let the user choose an image to upload
  naAddFile,             // cancel, and let the user choose an archive to upload
};

// `questionPrefix` and `newQuestionPrefix` are the addresses of the answer and new-question pages.
TNavigationAction FilterNavigation(std::string_view address, std::string_view questionPrefix,
                                   std::string_view newQuestionPrefix);

}  // namespace vsm
