#include "platform/registry_backend.h"

#include "platform/utf.h"

namespace qb::platform {

RegistryValue MakeStringValue(std::u16string_view text, std::uint32_t type) {
  RegistryValue value{type, {}};
  value.data.reserve(2 * text.size() + 2);
  for (char16_t unit : text) {
    value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  value.data.push_back(0);
  value.data.push_back(0);
  return value;
}

RegistryValue MakeStringValue(std::string_view text, std::uint32_t type) {
  return MakeStringValue(Utf8ToUtf16(text), type);
}

std::u16string StringValueUnits(const RegistryValue& value) {
  std::u16string units;
  units.reserve(value.data.size() / 2);
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    units += static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
  }
  return units;
}

std::string StringValueText(const RegistryValue& value) {
  const std::u16string units = StringValueUnits(value);
  return Utf16ToUtf8(std::u16string_view(units).substr(0, units.find(u'\0')));
}

RegistryValue MakeDwordValue(std::uint32_t number) {
  RegistryValue value{value_type::kDword, {}};
  for (int shift = 0; shift < 32; shift += 8) {
    value.data.push_back(static_cast<std::uint8_t>(number >> shift));
  }
  return value;
}

std::uint32_t DwordValueNumber(const RegistryValue& value) {
  if (value.data.size() != 4) return 0;
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[static_cast<std::size_t>(i)];
  return number;
}

const char* ViewName(RegistryView view) { return view == RegistryView::k32 ? "32-bit" : "64-bit"; }

namespace {

// The first name of a path.
std::u16string_view FirstName(std::u16string_view path) { return path.substr(0, path.find(u'\\')); }

}  // namespace

std::u16string PathInView(RegistryRoot root, RegistryView view, std::u16string_view path) {
  if (view != RegistryView::k32) return std::u16string(path);
  const std::u16string_view first = FirstName(path);
  if (root == RegistryRoot::LocalMachine && EqualsIgnoringAsciiCase(first, u"SOFTWARE")) {
    return std::u16string(first) + u"\\Wow6432Node" + std::u16string(path.substr(first.size()));
  }
  if (root == RegistryRoot::ClassesRoot && EqualsIgnoringAsciiCase(first, u"CLSID")) {
    return u"Wow6432Node\\" + std::u16string(path);
  }
  return std::u16string(path);
}

std::string DescribeRegistryStatus(const RegistryStatus& status) {
  switch (status.kind) {
    case RegistryStatusKind::Ok:
      return "done";
    case RegistryStatusKind::NotFound:
      return "the key does not exist";
    case RegistryStatusKind::AccessDenied:
      return "access is denied";
    case RegistryStatusKind::Failed:
      break;
  }
  return "the registry reported error " + std::to_string(status.system_code);
}

}  // namespace qb::platform
