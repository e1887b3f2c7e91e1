#pragma once

#include <string>

// Profile strings: keyed text values in sections of an INI file, addressed by the file's full
// name. Every call reads the file afresh; nothing is cached or held open.
class IProfileStrings {
 public:
  virtual ~IProfileStrings() = default;

  // The value of the key, without a pair of matching quotes around it and cut to 1023 bytes;
  // empty text when the file, the section or the key is missing.
  virtual std::string Read(const std::string& fileName, const std::string& section,
                           const std::string& key) = 0;

  // Writes the key, replacing it where it stands or appending it to its section, creating the
  // section and the file when missing. False when the file could not be written.
  virtual bool Write(const std::string& fileName, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
};
