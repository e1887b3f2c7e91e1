#include "install/PreviewLists.h"

#include <QPushButton>
#include <string>

#include "widgets/Label.h"
#include "widgets/ListBox.h"

int PreviewLists::FirstSelectedIndex(const ListBox& list) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Selected(i)) return i;
  }
  return -1;
}

void PreviewLists::MoveSelectedItems(ListBox& source, ListBox& target) {
  for (int i = source.Count() - 1; i >= 0; --i) {
    if (!source.Selected(i)) continue;
    target.Add(source.Text(i), source.Object(i));
    source.Delete(i);
  }
}

void PreviewLists::MoveAll(ListBox& source, ListBox& target) {
  for (int i = 0; i < source.Count(); ++i) target.Add(source.Text(i), source.Object(i));
  source.Clear();
}

void PreviewLists::ShowPreviewCounts() {
  c_.lblPAvailable.SetCaption("Available Fonts: " + std::to_string(c_.lstPreview.Count()));
  c_.lblPSelected.SetCaption("Selected Fonts: " + std::to_string(c_.lstSelected.Count()));
}

void PreviewLists::RestoreItemIndex(ListBox& list, int index) {
  list.setFocus();
  if (list.Count() > 0) {
    if (index < 0) index = 0;
    if (index >= list.Count()) index = list.Count() - 1;
    list.SetItemIndex(index);
  }
  UpdateMoveButtons();
}

void PreviewLists::UpdateMoveButtons() {
  const bool available = c_.lstPreview.Count() > 0;
  const bool selected = c_.lstSelected.Count() > 0;
  c_.cmdAdd.setEnabled(available);
  c_.cmdAddAll.setEnabled(available);
  c_.cmdRemove.setEnabled(selected);
  c_.cmdRemoveAll.setEnabled(selected);
  c_.cmdInstall.setEnabled(selected);
  c_.cmdPreviewPrint.setEnabled(selected);
  ShowPreviewCounts();
}

void PreviewLists::cmdAddClick() {
  const int index = FirstSelectedIndex(c_.lstPreview);
  MoveSelectedItems(c_.lstPreview, c_.lstSelected);
  RestoreItemIndex(c_.lstPreview, index);
}

void PreviewLists::cmdRemoveClick() {
  const int index = FirstSelectedIndex(c_.lstSelected);
  MoveSelectedItems(c_.lstSelected, c_.lstPreview);
  RestoreItemIndex(c_.lstSelected, index);
}

void PreviewLists::cmdAddAllClick() {
  MoveAll(c_.lstPreview, c_.lstSelected);
  RestoreItemIndex(c_.lstPreview, 0);
  c_.lstSelected.setFocus();
}

void PreviewLists::cmdRemoveAllClick() {
  MoveAll(c_.lstSelected, c_.lstPreview);
  // The faces come back below the ones left; what is highlighted there stays, as the sample
  // still shows it.
  RestoreItemIndex(c_.lstSelected, 0);
  c_.lstPreview.setFocus();
}
