#include "platform/win32/win32_version_info.h"

#include <windows.h>

#include <vector>

#include "platform/win32/disk_file.h"
#include "platform/win32/wide.h"

namespace qb::win32 {
namespace {

class Win32VersionResource final : public platform::VersionResource {
 public:
  explicit Win32VersionResource(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

  std::optional<platform::Translation> FirstTranslation() const override {
    void* block = nullptr;
    UINT size = 0;
    if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &block, &size) || size < 4) {
      return std::nullopt;
    }
    const auto* words = static_cast<const WORD*>(block);
    return platform::Translation{words[0], words[1]};
  }

  std::optional<std::string> Query(std::string_view sub_block) const override {
    void* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data_.data(), Widen(sub_block).c_str(), &text, &length) || !text) {
      return std::nullopt;
    }
    // The length counts characters, the terminating zero included; the text
    // ends at its first zero either way.
    std::wstring_view value(static_cast<const wchar_t*>(text), length);
    return Narrow(value.substr(0, value.find(L'\0')));
  }

 private:
  std::vector<std::uint8_t> data_;
};

}  // namespace

std::unique_ptr<platform::VersionResource> Win32VersionInfo::Read(std::string_view path) {
  const std::wstring file = Widen(path);
  // A name that Windows takes for a device (COM1:, nul, ...) is never read.
  if (!OpenFileOnDisk(file, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) {
    return nullptr;
  }
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> data(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return nullptr;
  return std::make_unique<Win32VersionResource>(std::move(data));
}

}  // namespace qb::win32
