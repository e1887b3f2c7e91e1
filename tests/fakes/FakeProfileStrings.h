#pragma once

#include <string>
#include <vector>

#include "platform/storage/IProfileStrings.h"
#include "platform/storage/ProfileStrings.h"

// Real profile files (in a test's temporary folder) with a switch for write failures and a log of
// the calls, so widget tests can check what was saved, how often the file was read and replaced,
// and how a full disk is reported.
class FakeProfileStrings final : public IProfileStrings {
 public:
  struct WriteCall {
    std::string File;
    std::string Section;
    std::string Key;
    std::string Value;
    bool operator==(const WriteCall&) const = default;
  };

  ProfileValues ReadKeys(const std::string& fileName, const std::string& section,
                         const std::vector<std::string>& keys) override {
    ++reads;
    return real_.ReadKeys(fileName, section, keys);
  }

  // Every key is logged, of failed calls too, so a test can see that a write was attempted.
  ProfileStatus WriteKeys(const std::string& fileName, const std::string& section,
                          const ProfileEntries& entries) override {
    ++replaces;
    for (const auto& [key, value] : entries) writes.push_back({fileName, section, key, value});
    if (failWrites) return ProfileStatus::Failed;
    return real_.WriteKeys(fileName, section, entries);
  }

  void RemoveStaleTemporaries(const std::string& fileName) override {
    real_.RemoveStaleTemporaries(fileName);
  }

  // While true, every write fails and leaves the file as it was.
  bool failWrites = false;
  // Calls that read the file once each, and calls that replace it once each.
  int reads = 0;
  int replaces = 0;
  std::vector<WriteCall> writes;

 private:
  ProfileStrings real_;
};
