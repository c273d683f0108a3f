#include "ScrCurrentUserHive.h"

#include <windows.h>

#include "RegistryKey.h"

namespace {

class TWin32HiveKey : public TScrHiveKey {
public:
  explicit TWin32HiveKey(std::unique_ptr<TRegistryKey> key) : key_(std::move(key)) {}

  bool Read(const std::string& name, std::size_t maxSize, TScrRegistryValue& value) override {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_->Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size > maxSize) {
      return false;
    }
    value.type = type;
    value.data.resize(size);
    // The value may change between the two calls; a grown value fails the read.
    if (RegQueryValueExA(key_->Get(), name.c_str(), nullptr, &type, value.data.data(), &size) !=
        ERROR_SUCCESS) {
      return false;
    }
    value.type = type;
    value.data.resize(size);
    return true;
  }

  bool Write(const std::string& name, const TScrRegistryValue& value) override {
    return RegSetValueExA(key_->Get(), name.c_str(), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }

private:
  std::unique_ptr<TRegistryKey> key_;
};

class TCurrentUserHive : public TScrHive {
public:
  std::unique_ptr<TScrHiveKey> Open(const std::string& path, bool create) override {
    auto key = std::make_unique<TRegistryKey>();
    bool opened = create ? key->Create(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS)
                         : key->Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ);
    if (!opened) return nullptr;
    return std::make_unique<TWin32HiveKey>(std::move(key));
  }
};

}  // namespace

TScrHive& ScrCurrentUserHive() {
  static TCurrentUserHive hive;  // stateless, see the header
  return hive;
}
