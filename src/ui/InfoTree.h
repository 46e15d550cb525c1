#pragma once
// The rows of an information page: the model behind the tree view of the hardware page and of the
// process page's "Operating System" tab. A row has a caption, a value text, an expanded flag, a
// tag, a data value and child rows; a live row fetches its value each time it is drawn and keeps
// the text it drew, which is what a saved report then holds.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vsm {

// Fetches a live row's reading and turns it into its value text.
using TLiveText = std::function<std::string()>;

class TInfoRow;
using TInfoRows = std::vector<std::unique_ptr<TInfoRow>>;

class TInfoRow {
 public:
  TInfoRow(std::string caption, std::string text) : Caption(std::move(caption)), Text(std::move(text)) {}
  TInfoRow(const TInfoRow&) = delete;
  TInfoRow& operator=(const TInfoRow&) = delete;

  // Adds a child row at the end; the reference stays valid as long as this row lives.
  TInfoRow& Add(std::string caption, std::string text = {});
  const TInfoRows& Children() const { return FChildren; }
  bool IsLive() const { return static_cast<bool>(Live); }

  std::string Caption;
  std::string Text;  // a live row's last drawn text; empty before its first draw
  bool Expanded = false;
  int Tag = 0;
  intptr_t Data = 0;
  TLiveText Live;  // empty for a fixed row

 private:
  TInfoRows FChildren;
};

// How a page draws its value texts (the page's drawing object): where the value column starts,
// right of the row's left edge, and whether a row with an empty value text is left undrawn.
struct TValueStyle {
  int ValueColumn = 330;
  bool SkipEmptyValues = false;
};

class TInfoTree {
 public:
  // Updates nest; a tree view repaints once the outermost update has ended.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Clear() { FRows.clear(); }
  TInfoRow& Add(std::string caption, std::string text = {});
  const TInfoRows& Rows() const { return FRows; }

  int RowHeight() const { return FRowHeight; }
  void SetRowHeight(int height) { FRowHeight = height; }
  const TValueStyle& ValueStyle() const { return FValueStyle; }
  void SetValueStyle(const TValueStyle& style) { FValueStyle = style; }

  // The after-row-draw step: a live row first fetches its reading and keeps the text. Answers
  // the text to draw in the value column, or nothing when this page draws none for the row.
  std::optional<std::string> DrawValue(TInfoRow& row) const;

 private:
  TInfoRows FRows;
  int FUpdateCount = 0;
  int FRowHeight = 20;
  TValueStyle FValueStyle;
};

// Holds a tree's update open for the lifetime of the object, so every way out of a fill ends it.
class TInfoTreeUpdate {
 public:
  explicit TInfoTreeUpdate(TInfoTree& tree) : FTree(tree) { FTree.BeginUpdate(); }
  ~TInfoTreeUpdate() { FTree.EndUpdate(); }
  TInfoTreeUpdate(const TInfoTreeUpdate&) = delete;
  TInfoTreeUpdate& operator=(const TInfoTreeUpdate&) = delete;

 private:
  TInfoTree& FTree;
};

}  // namespace vsm
