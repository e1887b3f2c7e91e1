#include "install/PreviewReading.h"

#include <QFrame>
#include <QProgressBar>

#include "install/FolderReadAhead.h"
#include "install/FontNameReader.h"
#include "platform/desktop/IMessageDispatch.h"
#include "widgets/ButtonsDisabled.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"

PreviewReading::State PreviewReading::Read(const std::string& directory,
                                           const std::vector<std::string>& files) {
  // The files listed now are the ones read, whatever happens to the list meanwhile. Faces an
  // earlier reading left behind when an error ended it are not among them.
  c_.lstPreview2.Clear();
  dir_ = directory.ends_with('/') ? directory : directory + "/";
  const int n = static_cast<int>(files.size());
  c_.lblLoading.SetCaption("Loading " + std::to_string(n) + " fonts");
  c_.gaugeLoading.setValue(0);
  c_.pnlLoading.show();
  c_.pnlLoading.repaint();
  // Nothing that starts a second reading, moves faces or reads the lists may run inside this
  // one; a change of folder or page abandons it.
  const ButtonsDisabled busy(c_.Buttons);
  const struct Done {
    PreviewReading& self;
    ~Done() {
      self.c_.pnlLoading.hide();
      self.state_ = State::Idle;
    }
  } done{*this};
  state_ = State::Running;
  // From a cold disk the files ahead are fetched several at once, not one read at a time.
  FolderReadAhead readAhead(dir_, files);
  for (int i = 0; i < n; ++i) {
    dispatch_.ProcessMessages();
    if (state_ != State::Running) break;
    readAhead.Reached(static_cast<std::size_t>(i));
    for (const FontFace& face : ReadFontFaces(dir_, files[static_cast<std::size_t>(i)])) {
      c_.lstPreview2.Add(face.FullName, face.Entry);
    }
    c_.gaugeLoading.setValue(100 * i / n);
  }
  return state_;
}

bool PreviewReading::Abandon() {
  if (state_ == State::Idle) return false;
  state_ = State::Abandoned;
  return true;
}
