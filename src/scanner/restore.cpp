#include "scanner/restore.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

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
  std::u16string below;  // the object's key name and the names under it
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
    return KeyPlace{view, parent + u"\\" + std::u16string(below), std::u16string(below),
                    std::u16string(object.substr(1, object.size() - 2))};
  }
  return std::nullopt;
}

// The names of a path, empty ones included.
std::vector<std::u16string_view> NamesOf(std::u16string_view path) {
  std::vector<std::u16string_view> names;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(u'\\', start);
    names.push_back(path.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) return names;
    start = end + 1;
  }
}

// A key of the plan as the registry compares them: in its view, without
// regard to ASCII letter case.
std::pair<RegistryView, std::u16string> Planned(RegistryView view, std::u16string_view path) {
  std::u16string folded(path);
  for (char16_t& unit : folded) {
    if (unit >= u'A' && unit <= u'Z') unit = unit - u'A' + u'a';
  }
  return {view, std::move(folded)};
}

// A name or path as a message shows it: control characters visible, and a
// long one cut in the middle, so that a hostile name can neither hide in
// the message nor flood it.
std::string Shown(std::u16string_view text) {
  constexpr std::size_t kKeptAtEachEnd = 100;
  std::u16string shown;
  const auto add = [&](std::u16string_view part) {
    for (char16_t unit : part) {
      if (unit == u'\0') {
        shown += u"\\0";
      } else if (unit < 0x20 || unit == 0x7F) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(unit));
        shown += platform::Utf8ToUtf16(escaped);
      } else {
        shown += unit;
      }
    }
  };
  if (text.size() > 2 * kKeptAtEachEnd + 3) {
    add(text.substr(0, kKeptAtEachEnd));
    shown += u"...";
    add(text.substr(text.size() - kKeptAtEachEnd));
  } else {
    add(text);
  }
  return platform::Utf16ToUtf8(shown);
}

std::string_view BytesOf(const std::vector<std::uint8_t>& data) {
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

bool IsText(const BackupValue& value) {
  return value.type == value_type::kString || value.type == value_type::kExpandString ||
         value.type == value_type::kMultiString;
}

// Why the restore could not write the key as the file names it, and the
// backup writer could not write it back; empty when it can. `planned` holds
// the keys before it: a key comes after its parent, as the writer puts
// them, so that no call creates more levels than the registry allows.
std::string KeyProblem(const BackupKey& key, const KeyPlace& place,
                       const std::set<std::pair<RegistryView, std::u16string>>& planned,
                       const platform::CodePage& code_page) {
  if (!code_page.IsText(key.path)) return "has a name that is not valid text in the ANSI code page";
  const std::vector<std::u16string_view> names = NamesOf(place.below);
  for (std::u16string_view name : names) {
    // A doubled or trailing "\": the registry has no key without a name.
    if (name.empty()) return "has an empty name in its path";
    if (name.find(u'\0') != std::u16string_view::npos) {
      return "has a name with a NUL character in it";
    }
    if (name.size() > platform::kMaxKeyNameLength) {
      return "has a name longer than the registry's 255 characters";
    }
  }
  if (place.clsid.empty()) return "names no object";
  const std::u16string in_view =
      platform::PathInView(platform::RegistryRoot::LocalMachine, place.view, place.path);
  if (NamesOf(in_view).size() > static_cast<std::size_t>(platform::kMaxKeyLevels)) {
    return "lies deeper than the registry's 512 levels";
  }
  const std::u16string_view parent =
      std::u16string_view(place.path).substr(0, place.path.rfind(u'\\'));
  if (names.size() > 1 && !planned.contains(Planned(place.view, parent))) {
    return "does not come after its parent key";
  }
  return {};
}

// Why the restore could not write the value exactly as the file holds it;
// empty when it can.
std::string ValueProblem(const BackupValue& value, std::u16string_view name,
                         const platform::CodePage& code_page) {
  if (!code_page.IsText(value.name)) {
    return "has a name that is not valid text in the ANSI code page";
  }
  if (name.find(u'\0') != std::u16string_view::npos) return "has a name with a NUL character in it";
  if (name.size() > platform::kMaxValueNameLength) {
    return "has a name longer than the registry's 16,383 characters";
  }
  if (IsText(value) && !code_page.IsText(BytesOf(value.data))) {
    return "holds text that is not valid in the ANSI code page";
  }
  return {};
}

// REGEDIT4 keeps text, in quotes or in hex, as 8-bit characters.
platform::RegistryValue ValueOf(const BackupValue& value, const platform::CodePage& code_page) {
  if (!IsText(value)) return {value.type, value.data};
  const std::u16string units = code_page.Decode(BytesOf(value.data));
  platform::RegistryValue converted{value.type, {}};
  for (char16_t unit : units) {
    converted.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    converted.data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return converted;
}

}  // namespace

Parsed<RestorePlan> PlanRestore(std::string_view text, const platform::CodePage& code_page) {
  using Refused = Parsed<RestorePlan>;
  const Parsed<ParsedBackup> backup = ParseBackupText(text, code_page);
  if (!backup) return Refused::Wrong(backup.problem());
  const ParsedBackup& parsed = *backup;
  RestorePlan plan;
  for (const std::string& comment : parsed.comments) {
    if ((";" + comment).starts_with(kNotBackedUp)) plan.incomplete = true;
  }
  std::set<std::pair<RegistryView, std::u16string>> planned;
  for (const BackupKey& key : parsed.keys) {
    const std::u16string line_path = code_page.Decode(key.path);
    const std::string shown_key = "the key [" + Shown(line_path) + "]";
    const std::optional<KeyPlace> place = PlaceOf(line_path);
    if (!place) {
      return Refused::Wrong(shown_key + " is not a browser helper object's");
    }
    if (const std::string problem = KeyProblem(key, *place, planned, code_page); !problem.empty()) {
      return Refused::Wrong(shown_key + " " + problem);
    }
    planned.insert(Planned(place->view, place->path));
    const std::string clsid = code_page.Encode(place->clsid);
    if (lists::FindLinear(plan.clsids, clsid) < 0) plan.clsids.push_back(clsid);
    RestoreKey& restored = plan.keys.emplace_back(RestoreKey{place->view, place->path, {}});
    for (const BackupValue& value : key.values) {
      std::u16string name = code_page.Decode(value.name);
      if (const std::string problem = ValueProblem(value, name, code_page); !problem.empty()) {
        return Refused::Wrong(
            (name.empty() ? "the default value" : "the value \"" + Shown(name) + "\"") + " of " +
            shown_key + " " + problem);
      }
      restored.values.push_back({std::move(name), ValueOf(value, code_page)});
    }
  }
  if (plan.keys.empty()) {
    return Refused::Wrong("it holds no browser helper object");
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
