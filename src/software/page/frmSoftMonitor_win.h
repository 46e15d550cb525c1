#pragma once
// The process monitor page of the main window: every process with its CPU share, memory, traffic
// and user, the two filters, the summary line and a menu per row (end the process, block or allow
// its network, its file properties). The same page shows the operating-system tree for the main
// window's "Operating System" tab.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "software/page/ProcessRows.h"
#include "ui/Gdi_win.h"
#include "ui/Image_win.h"
#include "ui/InfoTreeView_win.h"
#include "ui/PopupMenu_win.h"
#include "ui/ReportList_win.h"
#include "ui/SkinButtons_win.h"
#include "ui/WindowServices_win.h"
#include "ui/Window_win.h"

namespace vsm {

class TfrmSoftMonitor final : public TWindow {
 public:
  static constexpr int kRowHeight = 45;
  static constexpr int kMenuColumn = 8;

  TfrmSoftMonitor(HWND parent, TWindowServices services);
  ~TfrmSoftMonitor() override;

  void Localize();
  void LangChanged() { Localize(); }
  // 1: the process list; 2: hides the tree; 3: the operating-system tree.
  void ShowTag(int tag);
  void Show();       // FormShow
  void FormClose();  // also FormHide
  void RefreshProcessList();

 private:
  TWindowServices FServices;
  enum ButtonId : int { kCkSys = 1, kCkNet = 2 };
  enum MenuIndex : int { kKill = 0, kNet = 1, kDetails = 2 };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Layout();
  void PaintTop(HDC dc);
  void imghintAfterDrawPaint(HDC dc, const RECT& area);
  void lvProcessAfterItemDraw(HDC dc, int row);
  void OpenRowMenu(int row, POINT screen);
  void dpmn1BeforPopup(const TProcessRow& row);
  // `subject`: a copy of the row the menu was opened on, so its item stays alive meanwhile.
  void ProcessMenuClick(int index, const TProcessRow& subject);
  void ckSysAfterChange();
  void BuildColumns();
  void BuildMenu();
  TImage* IconOf(const TProcessItem& item);
  std::array<TSortMark, kSortableColumns> Marks();

  std::unique_ptr<TReportList> lvProcess;
  std::unique_ptr<TInfoTreeView> tvov;
  TSkinButtonSet FChecks;
  TProcessRows FRows;
  TVeskPopupMenu dpmn1{22, 150};
  std::map<std::string, std::unique_ptr<TImage>> il1;
  std::unique_ptr<TImage> FGenericIcon;
  TFontHandle FFont, FBold;
  bool FInited = false;
  bool FTimerOn = false;
  int FShowTag = 1;
};

}  // namespace vsm
