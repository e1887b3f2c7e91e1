#include "viewing/LargeSample.h"

#include "viewing/FontList.h"
#include "widgets/CheckBox.h"
#include "widgets/Label.h"
#include "widgets/Memo.h"
#include "widgets/SpinEdit.h"

LargeSample::LargeSample(const LargeSampleControls& controls, const FontList& fonts)
    : c_(controls), fonts_(fonts) {}

void LargeSample::ShowCurrentFont() {
  c_.lblLargeSample.SetCaption(fonts_.CurrentFontName());
  c_.memLargeSample.SetFontName(fonts_.CurrentFontName());
  c_.memLargeSample.SetFontPoints(c_.spnLargeSample.Value());
}

void LargeSample::spnLargeSampleChange() {
  if (c_.spnLargeSample.InRange()) c_.memLargeSample.SetFontPoints(c_.spnLargeSample.Value());
}

void LargeSample::chkLargeBoldClick() {
  c_.memLargeSample.SetBold(c_.chkLargeBold.Checked());
}

void LargeSample::chkLargeItalicClick() {
  c_.memLargeSample.SetItalic(c_.chkLargeItalic.Checked());
}
