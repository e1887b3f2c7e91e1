#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "platform/fonts/CollectionFonts.h"

// The font file read last, kept while the file stays as it was: its bytes and, for a collection,
// the fonts its header lists. Asking for each face of a collection of 65,536 fonts in turn read
// the whole file, and its header, once per face.
class LastFontFile {
 public:
  struct Contents {
    // The file's bytes; a web font's unpacked sfnt when web fonts are unpacked (nothing, when it
    // does not unpack).
    std::string Bytes;
    bool Collection = false;
    CollectionFonts::Listing Listing;  // of a collection
    // Where the collection's font of that index lies; nothing when its header lists none.
    std::optional<std::uint64_t> FontOffset(int faceIndex) const;
  };

  LastFontFile(std::size_t maxBytes, bool unpackWebFonts)
      : maxBytes_(maxBytes), unpackWebFonts_(unpackWebFonts) {}

  // The file's contents; null when it cannot be read or holds more than maxBytes.
  std::shared_ptr<const Contents> Read(const std::string& path);

 private:
  // What tells a file changed since it was read.
  struct Identity {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};
    bool operator==(const Identity& other) const;
  };
  static std::optional<Identity> IdentityOf(const std::string& path);

  std::size_t maxBytes_;
  bool unpackWebFonts_;
  std::string path_;
  Identity identity_;
  std::shared_ptr<const Contents> contents_;
};
