#include "scanner/restore.h"

#include <algorithm>

#include "lists/clsid_list.h"
#include "platform/utf.h"
#include "registry/registry_key.h"
#include "scanner/backup.h"
#include "scanner/backup_reader.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
namespace {

namespace value_type = platform::value_type;
using platform::RegistryView;

constexpr std::u16string_view kMachine = u"HKEY_LOCAL_MACHINE\\";

// Where a key of the file lies: its view, its path in that view and the
// CLSID of the object it belongs to. Nothing for a key outside the objects.
struct KeyPlace {
  RegistryView view;
  std::u16string path;
  std::u16string clsid;
};

std::optional<KeyPlace> PlaceOf(std::u16string_view line_path) {
  if (!platform::StartsWithIgnoringAsciiCase(line_path, kMachine)) return std::nullopt;
  const std::u16string_view path = line_path.substr(kMachine.size());
  const std::u16string parent = platform::Utf8ToUtf16(kRemovedKeyParent);
  for (RegistryView view : {RegistryView::k64, RegistryView::k32}) {
    const std::u16string in_view =
        platform::PathInView(platform::RegistryRoot::LocalMachine, view, parent) + u"\\";
    if (!platform::StartsWithIgnoringAsciiCase(path, in_view)) continue;
    const std::u16string_view below = path.substr(in_view.size());
    const std::u16string_view object = below.substr(0, below.find(u'\\'));
    if (object.size() < 2 || object.front() != u'{' || object.back() != u'}') return std::nullopt;
    return KeyPlace{view, parent + u"\\" + std::u16string(below),
                    std::u16string(object.substr(1, object.size() - 2))};
  }
  return std::nullopt;
}

// REGEDIT4 keeps text, in quotes or in hex, as 8-bit characters.
platform::RegistryValue ValueOf(const BackupValue& value, const platform::CodePage& code_page) {
  const bool text = value.type == value_type::kString || value.type == value_type::kExpandString ||
                    value.type == value_type::kMultiString;
  if (!text) return {value.type, value.data};
  const std::u16string units = code_page.Decode(
      std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
  platform::RegistryValue converted{value.type, {}};
  for (char16_t unit : units) {
    converted.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    converted.data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return converted;
}

}  // namespace

std::optional<RestorePlan> PlanRestore(std::string_view text, const platform::CodePage& code_page,
                                       std::string& error) {
  const ParsedBackup parsed = ParseBackupText(text, error);
  if (!error.empty()) return std::nullopt;
  RestorePlan plan;
  for (const std::string& comment : parsed.comments) {
    if ((";" + comment).starts_with(kNotBackedUp)) plan.incomplete = true;
  }
  for (const BackupKey& key : parsed.keys) {
    const std::optional<KeyPlace> place = PlaceOf(code_page.Decode(key.path));
    if (!place) {
      error = "the key [" + key.path + "] is not a browser helper object's";
      return std::nullopt;
    }
    const std::string clsid = code_page.Encode(place->clsid);
    if (lists::FindLinear(plan.clsids, clsid) < 0) plan.clsids.push_back(clsid);
    RestoreKey& restored = plan.keys.emplace_back(RestoreKey{place->view, place->path, {}});
    for (const BackupValue& value : key.values) {
      restored.values.push_back({code_page.Decode(value.name), ValueOf(value, code_page)});
    }
  }
  if (plan.keys.empty()) {
    error = "it holds no browser helper object";
    return std::nullopt;
  }
  return plan;
}

void Restore(const RestorePlan& plan, platform::RegistryBackend& registry,
             lists::ListFile& blocked) {
  for (RegistryView view : {RegistryView::k64, RegistryView::k32}) {
    const bool used = std::any_of(plan.keys.begin(), plan.keys.end(),
                                  [&](const RestoreKey& key) { return key.view == view; });
    if (!used) continue;
    registry::RegistryKey parent(registry, platform::RegistryRoot::LocalMachine, view);
    parent.CreateKey(std::string("\\") + kRemovedKeyParent);
  }

  std::vector<std::string> still_blocked;
  for (const std::string& entry : blocked.list().entries()) {
    if (lists::FindLinear(plan.clsids, entry) < 0) still_blocked.push_back(entry);
  }
  if (still_blocked.size() != blocked.list().size()) blocked.Replace(std::move(still_blocked));

  for (const RestoreKey& key : plan.keys) {
    registry::RegistryKey written(registry, platform::RegistryRoot::LocalMachine, key.view);
    written.CreateKey(u"\\" + key.path);
    for (const platform::NamedValue& value : key.values)
      written.WriteValue(value.name, value.value);
  }
}

}  // namespace qb::scanner
