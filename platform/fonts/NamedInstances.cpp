#include "platform/fonts/NamedInstances.h"

#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <memory>

namespace {

struct FaceRelease {
  void operator()(hb_face_t* face) const { hb_face_destroy(face); }
};
struct BlobRelease {
  void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
};

// A face that holds the "fvar" table alone, which is all HarfBuzz reads of the named instances.
hb_blob_t* FvarOnly(hb_face_t*, hb_tag_t tag, void* fvar) {
  if (tag != HB_TAG('f', 'v', 'a', 'r')) return nullptr;
  return hb_blob_reference(static_cast<hb_blob_t*>(fvar));
}

template <typename Each>
void WithFace(std::string_view fvar, const Each& each) {
  const std::unique_ptr<hb_blob_t, BlobRelease> blob(hb_blob_create(
      fvar.data(), static_cast<unsigned>(std::min<std::size_t>(fvar.size(), UINT32_MAX)),
      HB_MEMORY_MODE_READONLY, nullptr, nullptr));
  const std::unique_ptr<hb_face_t, FaceRelease> face(
      hb_face_create_for_tables(FvarOnly, blob.get(), nullptr));
  each(face.get());
}

}  // namespace

namespace NamedInstances {

std::vector<std::uint16_t> SubfamilyNameIds(std::string_view fvar, std::size_t most) {
  std::vector<std::uint16_t> ids;
  WithFace(fvar, [&](hb_face_t* face) {
    const unsigned count = hb_ot_var_get_named_instance_count(face);
    for (unsigned i = 0; i < count && ids.size() < most; ++i) {
      ids.push_back(
          static_cast<std::uint16_t>(hb_ot_var_named_instance_get_subfamily_name_id(face, i)));
    }
  });
  return ids;
}

unsigned Count(std::string_view fvar) {
  unsigned count = 0;
  WithFace(fvar, [&](hb_face_t* face) { count = hb_ot_var_get_named_instance_count(face); });
  return count;
}

}  // namespace NamedInstances
