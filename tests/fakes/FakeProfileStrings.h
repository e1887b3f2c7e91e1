#pragma once

#include <string>
#include <vector>

#include "platform/IProfileStrings.h"
#include "platform/ProfileStrings.h"

// Real profile files (in a test's temporary folder) with a switch for write failures and a log of
// the calls, so widget tests can check what was saved and how a full disk is reported.
class FakeProfileStrings final : public IProfileStrings {
 public:
  struct WriteCall {
    std::string File;
    std::string Section;
    std::string Key;
    std::string Value;
    bool operator==(const WriteCall&) const = default;
  };

  std::string Read(const std::string& fileName, const std::string& section,
                   const std::string& key) override {
    ++reads;
    return real_.Read(fileName, section, key);
  }

  // Every call is logged, failed ones too, so a test can see that a write was attempted.
  bool Write(const std::string& fileName, const std::string& section, const std::string& key,
             const std::string& value) override {
    writes.push_back({fileName, section, key, value});
    if (failWrites) return false;
    return real_.Write(fileName, section, key, value);
  }

  // While true, every Write returns false and leaves the file as it was.
  bool failWrites = false;
  int reads = 0;
  std::vector<WriteCall> writes;

 private:
  ProfileStrings real_;
};
