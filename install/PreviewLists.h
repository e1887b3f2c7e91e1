#pragma once

class Label;
class ListBox;
class QPushButton;

struct PreviewListControls {
  ListBox& lstPreview;
  Label& lblPAvailable;
  ListBox& lstSelected;
  Label& lblPSelected;
  QPushButton& cmdAdd;
  QPushButton& cmdAddAll;
  QPushButton& cmdRemove;
  QPushButton& cmdRemoveAll;
  QPushButton& cmdInstall;
  QPushButton& cmdPreviewPrint;
};

// The Preview/Install page's two lists of faces, available and selected: moving faces between
// them, their counts, and the buttons that depend on what they hold.
class PreviewLists {
 public:
  explicit PreviewLists(const PreviewListControls& controls) : c_(controls) {}

  void cmdAddClick();
  void cmdAddAllClick();
  void cmdRemoveClick();
  void cmdRemoveAllClick();

  void ShowPreviewCounts();
  void UpdateMoveButtons();
  void RestoreItemIndex(ListBox& list, int index);

  static int FirstSelectedIndex(const ListBox& list);
  static void MoveSelectedItems(ListBox& source, ListBox& target);
  static void MoveAll(ListBox& source, ListBox& target);

 private:
  PreviewListControls c_;
};
