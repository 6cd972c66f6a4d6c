#pragma once

#include <windows.h>

#include "platform/registry_backend.h"

namespace qb::win32 {

// The predefined key that stands for `root`.
HKEY RootHandle(platform::RegistryRoot root);

// The registry of Windows (advapi32), through the W functions, and the native
// calls for names with a NUL inside. Keys are opened with the rights the
// caller asked for and no more.
class Win32Registry final : public platform::RegistryBackend {
 public:
  Win32Registry();

  std::vector<platform::RegistryView> Views() const override { return views_; }
  std::unique_ptr<platform::OpenRegistryKey> Open(platform::RegistryRoot root,
                                                  platform::RegistryView view,
                                                  std::u16string_view path,
                                                  platform::KeyAccess access,
                                                  platform::RegistryStatus& status) override;
  std::unique_ptr<platform::OpenRegistryKey> Create(platform::RegistryRoot root,
                                                    platform::RegistryView view,
                                                    std::u16string_view path,
                                                    platform::RegistryStatus& status) override;

 private:
  std::vector<platform::RegistryView> views_;
};

}  // namespace qb::win32
