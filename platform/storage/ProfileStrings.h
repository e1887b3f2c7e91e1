#pragma once

#include <string>
#include <vector>

#include "platform/storage/IProfileStrings.h"

// Profile strings kept in INI files with the rules of the classic private-profile functions.
// Each call opens, reads and closes the file; a write replaces the file in one rename, so a
// reader never sees half a file and a failed write leaves the old file as it was. Writes of
// running copies take turns under a lock, each changing only its own keys.
class ProfileStrings final : public IProfileStrings {
 public:
  ProfileStrings() = default;

  ProfileValues ReadKeys(const std::string& fileName, const std::string& section,
                         const std::vector<std::string>& keys) override;
  ProfileStatus WriteKeys(const std::string& fileName, const std::string& section,
                          const ProfileEntries& entries) override;
  void RemoveStaleTemporaries(const std::string& fileName) override;
};
