#include <gtest/gtest.h>

#include "ui/MessageBoxLayout.h"
#include "ui/RadioBox.h"
#include "ui/RowList.h"

namespace vsm {
namespace {

TRowList PopupList(int rows) {
  TRowList list;
  // The popup's list: rows of 25 from y = 27, columns 200, 70, 20, button 16 in the third.
  list.SetLayout({0, 27, 300, 27 + 250}, 25, {200, 70, 20}, 2, 16);
  list.SetRowCount(rows);
  return list;
}

TEST(RowList, RowsAndButtonGeometry) {
  const TRowList list = PopupList(3);
  EXPECT_EQ(list.RowAt({10, 27}), 0);
  EXPECT_EQ(list.RowAt({10, 51}), 0);
  EXPECT_EQ(list.RowAt({10, 52}), 1);
  EXPECT_EQ(list.RowAt({10, 102}), -1);  // below the last row
  EXPECT_EQ(list.RowAt({300, 30}), -1);
  const Rect button = list.ButtonRect(1);  // x = 270, y = 52 + 4 + 1
  EXPECT_EQ(button.left, 270);
  EXPECT_EQ(button.top, 57);
  EXPECT_EQ(button.right, 286);
  EXPECT_EQ(button.bottom, 73);
  // The press area starts at the centred top without the one-pixel offset.
  EXPECT_TRUE(list.InButton(1, {270, 56}));
  EXPECT_FALSE(list.InButton(1, {270, 55}));
  EXPECT_TRUE(list.InButton(1, {285, 71}));
  EXPECT_FALSE(list.InButton(1, {286, 60}));
  EXPECT_FALSE(list.InButton(1, {285, 72}));
}

TEST(RowList, PressAndReleaseOnTheSameRow) {
  TRowList list = PopupList(3);
  list.MouseMove({275, 60});
  EXPECT_EQ(list.HotRow(), 1);
  EXPECT_EQ(list.ButtonState(1, {275, 60}), TRowButtonState::Hot);
  EXPECT_EQ(list.ButtonState(1, {100, 60}), TRowButtonState::Normal);
  EXPECT_TRUE(list.MouseDown({275, 60}));
  EXPECT_EQ(list.PressedRow(), 1);
  EXPECT_EQ(list.ButtonState(1, {100, 60}), TRowButtonState::Pressed);
  EXPECT_EQ(list.MouseUp({100, 70}), 1);  // released anywhere on the same row
  EXPECT_EQ(list.PressedRow(), -1);

  list.MouseDown({275, 60});
  list.MouseMove({275, 85});
  EXPECT_EQ(list.MouseUp({275, 85}), -1);  // released on another row

  list.MouseMove({100, 60});
  list.MouseDown({100, 60});  // outside the button
  EXPECT_EQ(list.PressedRow(), -1);
  EXPECT_EQ(list.MouseUp({100, 60}), -1);
}

TEST(RadioBox, OneOfTheGroupIsChecked) {
  std::vector<TRadioBox> group{{{20, 0, 70, 20}, "C", true}, {{80, 0, 130, 20}, "F", false}};
  EXPECT_EQ(RadioBoxAt(group, {85, 5}), 1);
  EXPECT_EQ(RadioBoxAt(group, {75, 5}), -1);
  EXPECT_FALSE(CheckRadioBox(group, 0));
  EXPECT_TRUE(CheckRadioBox(group, 1));
  EXPECT_FALSE(group[0].checked);
  EXPECT_TRUE(group[1].checked);
  EXPECT_FALSE(CheckRadioBox(group, -1));
}

TEST(MessageBoxLayout, ButtonsRightAlignedUnderTheTallerOfIconAndText) {
  const TDpiScale scale{96};
  const TMessageBoxLayout shortText = LayoutMessageBox(14, 2, scale);
  ASSERT_EQ(shortText.buttons.size(), 2u);
  EXPECT_EQ(shortText.buttons[1].right, shortText.window.right - 16);
  EXPECT_LT(shortText.buttons[0].right, shortText.buttons[1].left);
  EXPECT_EQ(shortText.buttons[0].top, shortText.icon.bottom + 16);
  const TMessageBoxLayout longText = LayoutMessageBox(80, 1, scale);
  EXPECT_EQ(longText.buttons[0].top, longText.text.bottom + 16);
  EXPECT_EQ(longText.window.bottom, longText.buttons[0].bottom + 16);
}

}  // namespace
}  // namespace vsm
