#include "ui/InfoTree.h"

namespace vsm {

TInfoRow& TInfoRow::Add(std::string caption, std::string text) {
  return *FChildren.emplace_back(std::make_unique<TInfoRow>(std::move(caption), std::move(text)));
}

void TInfoTree::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
}

TInfoRow& TInfoTree::Add(std::string caption, std::string text) {
  return *FRows.emplace_back(std::make_unique<TInfoRow>(std::move(caption), std::move(text)));
}

std::optional<std::string> TInfoTree::DrawValue(TInfoRow& row) const {
  if (row.IsLive()) row.Text = row.Live();
  if (FValueStyle.SkipEmptyValues && row.Text.empty()) return std::nullopt;
  return row.Text;
}

}  // namespace vsm
