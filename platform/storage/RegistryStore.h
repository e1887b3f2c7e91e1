#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileVersion.h"
#include "platform/storage/IRegistry.h"

// The registry kept in one text file in the user's configuration folder. The file is read on
// first use and again whenever it has changed since, so what another running copy (or an edit by
// hand) wrote is seen. A change is made under a lock to the file as it stands then, and the file
// is replaced whole, so running copies keep each other's values and a crash never leaves half a
// file. A file that cannot be read or understood is reported by every call and is never
// overwritten, so the user's settings are not lost silently. An empty file (what a crash before
// the first write can leave) holds nothing to lose and is seeded like a missing one. A store that
// is a symbolic link is rewritten at its target, so the link stays a link; a link into a folder
// that does not exist is reported, since the store it names can be neither read nor made.
class RegistryStore final : public IRegistry {
 public:
  // Touches nothing on disk; the file is read (or created) by the first call that needs it, which
  // also clears away temporary files that a run killed mid-write left beside it.
  explicit RegistryStore(std::string filePath);

  // $XDG_CONFIG_HOME/glyphera/registry, with $HOME/.config when XDG_CONFIG_HOME is not set.
  static std::string DefaultFilePath();

  bool KeyExists(RegistryRoot root, const std::string& key) override;
  std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
  void SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                const RegistryValue& value) override;

 private:
  struct NamedValue {
    std::string Name;
    RegistryValue Value;
  };
  struct Key {
    RegistryRoot Root = RegistryRoot::CurrentUser;
    std::string Path;  // normalised: no empty, leading or trailing segments
    std::vector<NamedValue> Values;
  };
  enum class State { NotLoaded, Loaded, Failed };

  void Refresh();
  bool ReadFile();
  void SeedUnderLock();
  static std::vector<Key> Seed();
  void RemoveLeftovers() const;
  void Parse(const std::string& text);
  std::string PreparedTarget() const;
  void Write(const std::string& target);
  std::string Serialise() const;
  std::string WriteFailure() const { return "Unable to write to " + filePath_; }
  Key* FindKey(RegistryRoot root, const std::string& normalisedPath);

  std::string filePath_;
  State state_ = State::NotLoaded;
  std::string failure_;
  std::vector<Key> keys_;  // in file order
  // The version of the file memory was read from or written to; nothing while there is no file.
  std::optional<FileVersion> version_;
  bool leftoversCleared_ = false;
};
