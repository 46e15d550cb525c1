#pragma once
// The information pages' texts as the program shows them: captions from the language files, byte
// sizes with the user's decimal separator, temperatures in the unit of the settings, dates in the
// user's short date format.
#include "pages/PageTexts.h"

namespace vsm {

TPageTexts ProgramPageTexts();
// The date part in the user's short date format; empty when the date cannot be shown.
std::string UserShortDate(TDateTime date);

}  // namespace vsm
