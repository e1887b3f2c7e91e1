#pragma once

#include <string>
#include <vector>

class IMessageDispatch;
class Label;
class ListBox;
class QFrame;
class QProgressBar;
class QPushButton;

struct PreviewReadingControls {
  // The hidden list the faces are read into.
  ListBox& lstPreview2;
  QFrame& pnlLoading;
  Label& lblLoading;
  QProgressBar& gaugeLoading;
  // Buttons disabled while a folder is read.
  std::vector<QPushButton*> Buttons;
};

// Reads the faces of a folder's font files into a hidden list, with progress, while the page
// stays responsive; Cancel keeps what was read so far, and a change of folder or page abandons
// the reading.
class PreviewReading {
 public:
  enum class State { Idle, Running, Cancelled, Abandoned };

  PreviewReading(const PreviewReadingControls& controls, IMessageDispatch& dispatch)
      : c_(controls), dispatch_(dispatch) {}

  // Reads the names of every file of files in directory; how the reading ended.
  State Read(const std::string& directory, const std::vector<std::string>& files);
  void Cancel() {
    if (state_ == State::Running) state_ = State::Cancelled;
  }
  // Ends a reading without listing what it read; false when none runs.
  bool Abandon();
  bool Idle() const { return state_ == State::Idle; }
  // The folder the faces listed were read from, ending in "/".
  const std::string& Dir() const { return dir_; }

 private:
  PreviewReadingControls c_;
  IMessageDispatch& dispatch_;
  State state_ = State::Idle;
  std::string dir_;
};
