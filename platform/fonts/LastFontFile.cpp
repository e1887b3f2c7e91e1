#include "platform/fonts/LastFontFile.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/files/ReadOnlyFile.h"
#include "platform/fonts/WebFonts.h"

std::optional<std::uint64_t> LastFontFile::Contents::FontOffset(int faceIndex) const {
  // The fonts are listed in index order.
  const auto found = std::lower_bound(Listing.Fonts.begin(), Listing.Fonts.end(), faceIndex,
                                      [](const CollectionFonts::Font& font, int index) {
                                        return font.Index < static_cast<std::uint32_t>(index);
                                      });
  if (faceIndex < 0 || found == Listing.Fonts.end() ||
      found->Index != static_cast<std::uint32_t>(faceIndex)) {
    return std::nullopt;
  }
  return found->Offset;
}

bool LastFontFile::Identity::operator==(const Identity& other) const {
  return Device == other.Device && Inode == other.Inode && Size == other.Size &&
         Modified.tv_sec == other.Modified.tv_sec && Modified.tv_nsec == other.Modified.tv_nsec;
}

std::optional<LastFontFile::Identity> LastFontFile::IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return Identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

std::shared_ptr<const LastFontFile::Contents> LastFontFile::Read(const std::string& path) {
  const std::optional<Identity> identity = IdentityOf(path);
  if (!identity) return nullptr;
  if (contents_ && path == path_ && *identity == identity_) return contents_;
  contents_.reset();
  std::optional<std::string> bytes = ReadWholeFileAtMost(path, maxBytes_);
  if (!bytes) return nullptr;
  auto contents = std::make_shared<Contents>();
  contents->Bytes = std::move(*bytes);
  if (unpackWebFonts_ && WebFonts::IsWebFont(contents->Bytes)) {
    contents->Bytes = WebFonts::Decode(contents->Bytes).value_or(std::string());
  }
  contents->Collection = CollectionFonts::IsCollection(contents->Bytes);
  if (contents->Collection) contents->Listing = CollectionFonts::Read(contents->Bytes);
  path_ = path;
  identity_ = *identity;
  contents_ = std::move(contents);
  return contents_;
}
