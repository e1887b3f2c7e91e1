#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A settings file larger than this was not written by a person or by this program. It is neither
// loaded (it could take all the memory) nor replaced (which would lose whatever it really is).
inline constexpr std::uintmax_t kMaxProfileFileBytes = 16 * 1024 * 1024;

enum class ProfileStatus {
  Ok,
  // The file is over kMaxProfileFileBytes, or a write would make it so; it was left as it was.
  TooLarge,
  // The file could not be read, or could not be written (it was then left as it was).
  Failed,
};

struct ProfileValues {
  ProfileStatus Status = ProfileStatus::Ok;
  // One per key asked for, in the same order, whatever the status.
  std::vector<std::string> Values;
};

// Keys and their values, written in this order.
using ProfileEntries = std::vector<std::pair<std::string, std::string>>;

// Profile strings: keyed text values in sections of an INI file, addressed by the file's full
// name. Every call reads the file afresh; nothing is cached or held open.
class IProfileStrings {
 public:
  virtual ~IProfileStrings() = default;

  // Reads the file once for all the keys. A value loses a pair of matching quotes around it; one
  // that is not UTF-8 was written by an 8-bit editor and is taken as Windows-1252. Values come
  // back as UTF-8 cut to 1023 bytes, never inside a character. A missing file, section or key
  // reads as empty text; a missing file is no failure.
  virtual ProfileValues ReadKeys(const std::string& fileName, const std::string& section,
                                 const std::vector<std::string>& keys) = 0;

  // Writes the keys in one replace of the file, so it holds either all the old values or all
  // the new ones. The file is read afresh under a lock that running copies share, so the other
  // keys keep whatever another copy wrote. Each key is replaced where it stands or appended to its
  // section; the section and the file are created when missing. A key given twice ends with the
  // later value. Nothing at all is written for no keys (Ok) or when a name cannot be held by the
  // file (Failed).
  virtual ProfileStatus WriteKeys(const std::string& fileName, const std::string& section,
                                  const ProfileEntries& entries) = 0;

  // Removes the temporary files of writes that were killed midway, left beside the file. One
  // whose writer still runs is kept, however long it has stalled; one named by an earlier version,
  // which does not say its writer, is kept until it has been left alone for a minute.
  virtual void RemoveStaleTemporaries(const std::string& fileName) = 0;

  // One key, as ReadKeys gives it; empty text when it cannot be read.
  std::string Read(const std::string& fileName, const std::string& section,
                   const std::string& key) {
    return ReadKeys(fileName, section, {key}).Values.front();
  }

  // One key, as WriteKeys writes it. False when the file was not written.
  bool Write(const std::string& fileName, const std::string& section, const std::string& key,
             const std::string& value) {
    return WriteKeys(fileName, section, {{key, value}}) == ProfileStatus::Ok;
  }
};
