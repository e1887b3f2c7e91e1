#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fonts/AddedFaces.h"

class QGuiApplication;

// The toolkit's fontconfig database registers a font file it is given at its default instance
// alone, so every named instance of a variable font would be drawn as that one (its Thin as the
// Regular, its Black as the Regular made bold). This registers the named instances of the files
// given with the toolkit's font database (a private interface of the toolkit), each drawn from
// the file by the instance's index as fontconfig's own fonts are, and does so again whenever
// the toolkit rebuilds its database (after any font is removed from it). Without an
// application object it does nothing.
class NamedInstanceRegistration {
 public:
  NamedInstanceRegistration();
  ~NamedInstanceRegistration();
  NamedInstanceRegistration(const NamedInstanceRegistration&) = delete;
  NamedInstanceRegistration& operator=(const NamedInstanceRegistration&) = delete;

  // The instances of a file as the toolkit names the file: the path it was given, or the name
  // it gives a font added from memory. They are registered now.
  void Add(const std::string& toolkitFile, std::vector<AddedFaces::NamedInstance> instances);
  // No longer registered once the toolkit rebuilds its database.
  void Remove(const std::string& toolkitFile);

  // Runs changes that may make the toolkit rebuild its database many times (fonts removed one
  // after another) and registers the instances once, after them all.
  void Across(const std::function<void()>& changes);

 private:
  void Watch();
  void Rebuilt();
  void RegisterAll() const;

  std::map<std::string, std::vector<AddedFaces::NamedInstance>> files_;
  std::unique_ptr<QObject> watcher_;
  QPointer<QGuiApplication> watched_;
  int across_ = 0;
  bool rebuiltMeanwhile_ = false;
};
