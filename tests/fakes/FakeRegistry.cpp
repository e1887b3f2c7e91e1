#include "fakes/FakeRegistry.h"

#include "platform/PlatformError.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Lower-case, with empty segments (leading, trailing, doubled backslashes) dropped.
std::string KeyPath(const std::string& key) {
  std::string result;
  std::string segment;
  for (std::size_t i = 0; i <= key.size(); ++i) {
    if (i == key.size() || key[i] == '\\') {
      if (!segment.empty()) result += (result.empty() ? "" : "\\") + segment;
      segment.clear();
    } else {
      segment += key[i];
    }
  }
  return Lower(result);
}

}  // namespace

bool FakeRegistry::KeyExists(RegistryRoot root, const std::string& key) {
  if (readFailure_) throw PlatformError(*readFailure_);
  const std::string path = KeyPath(key);
  if (path.empty()) return true;
  for (const auto& [id, values] : keys_) {
    if (id.first != root) continue;
    if (id.second == path || id.second.starts_with(path + "\\")) return true;
  }
  return false;
}

std::optional<RegistryValue> FakeRegistry::QueryValue(RegistryRoot root, const std::string& key,
                                                      const std::string& name) {
  if (readFailure_) throw PlatformError(*readFailure_);
  const auto found = keys_.find({root, KeyPath(key)});
  if (found == keys_.end()) return std::nullopt;
  const auto value = found->second.find(Lower(name));
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

void FakeRegistry::SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                            const RegistryValue& value) {
  if (writeFailure_) throw PlatformError(*writeFailure_);
  keys_[{root, KeyPath(key)}][Lower(name)] = value;
  ++writeCount_;
}

void FakeRegistry::AddKey(RegistryRoot root, const std::string& key) {
  keys_[{root, KeyPath(key)}];
}
