#include "pages/InfoPages.h"
#include "pages/PageFill.h"
#include "sysinfo/SoundList.h"

namespace vsm {

void FillSoundPage(TInfoTree& tree, const THardwareParts* hardware, const TPageTexts& texts) {
  const TPageFill fill(tree, kInfoRowHeight, {kInfoValueColumn, false});
  if (!hardware || !hardware->sounds) return;
  for (int i = 0; i < hardware->sounds->Count(); ++i) {
    const TSoundAdapter& sound = *hardware->sounds->GetSound(i);
    TInfoRow& row = tree.Add(texts.Caption("Name", "Name"), sound.Name());
    row.Expanded = true;
    row.Add(texts.Caption("Description", "Description"), sound.Description());
  }
}

}  // namespace vsm
