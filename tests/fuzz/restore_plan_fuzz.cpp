// Restoring any file: what the planner accepts writes only keys of browser
// helper objects, in either view, and nothing anywhere else; it writes them
// whole, each key by the names the file gives it, and the backup writer
// writes them back whole. What the planner refuses it says why.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lists/list_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "registry_snapshot.h"
#include "scanner/backup.h"
#include "scanner/restore.h"

namespace {

using qb::platform::RegistryRoot;

// Every key of the registry, as paths of the 64-bit view.
void Collect(qb::platform::OpenRegistryKey& key, const std::u16string& path,
             std::vector<std::u16string>& paths) {
  paths.push_back(path);
  for (const std::u16string& name : key.SubkeyNames()) {
    qb::platform::RegistryStatus status;
    if (auto child = key.OpenSubkey(name, qb::platform::KeyAccess::Read, status)) {
      Collect(*child, path.empty() ? name : path + u"\\" + name, paths);
    }
  }
}

using qb::testing::SnapshotOf;

// Restores the plan into `registry`; a restore that stops halfway is a
// finding.
void RestoreWhole(const qb::scanner::RestorePlan& plan, qb::platform::MemoryRegistry& registry) {
  qb::platform::MemoryFiles files;
  qb::lists::ListFile blocked(files, "/BCLSIDs.txt");
  try {
    qb::scanner::Restore(plan, registry, blocked);
  } catch (const std::exception&) {
    std::abort();
  }
}

// Whether every key of the plan is there, reached from its view's root name
// by name as the file gives them, with a value of every name the plan
// writes into it.
bool HoldsEveryKeyByItsNames(qb::platform::MemoryRegistry& registry,
                             const qb::scanner::RestorePlan& plan) {
  for (const qb::scanner::RestoreKey& planned : plan.keys) {
    qb::platform::RegistryStatus status;
    std::unique_ptr<qb::platform::OpenRegistryKey> key = registry.Open(
        RegistryRoot::LocalMachine, planned.view, u"", qb::platform::KeyAccess::Read, status);
    const std::u16string path =
        qb::platform::PathInView(RegistryRoot::LocalMachine, planned.view, planned.path);
    for (std::size_t start = 0; key && start <= path.size();) {
      const std::size_t end = std::min(path.find(u'\\', start), path.size());
      key = key->OpenSubkey(std::u16string_view(path).substr(start, end - start),
                            qb::platform::KeyAccess::Read, status);
      start = end + 1;
    }
    if (!key) return false;
    for (const qb::platform::NamedValue& value : planned.values) {
      qb::platform::RegistryValue read;
      if (!key->Read(value.name, read).ok()) return false;
    }
  }
  return true;
}

bool Below(std::u16string_view path, std::u16string_view parent) {
  const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
  if (path.size() < parent.size()) return false;
  for (std::size_t i = 0; i < parent.size(); ++i) {
    if (fold(path[i]) != fold(parent[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qb::platform::Windows1252 ansi;
  const auto plan = qb::scanner::PlanRestore(text, ansi);
  if (!plan) {
    if (plan.problem().empty()) std::abort();
    return 0;
  }
  if (!plan.problem().empty() || plan->keys.empty() || plan->clsids.empty()) std::abort();

  qb::platform::MemoryRegistry registry;
  RestoreWhole(*plan, registry);
  if (!HoldsEveryKeyByItsNames(registry, *plan)) std::abort();

  const std::u16string objects64 =
      u"Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper Objects";
  const std::u16string objects32 =
      u"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\explorer\\Browser Helper "
      u"Objects";
  std::vector<std::u16string> paths;
  qb::platform::RegistryStatus status;
  auto root = registry.Open(RegistryRoot::LocalMachine, qb::platform::RegistryView::k64, u"",
                            qb::platform::KeyAccess::Read, status);
  Collect(*root, u"", paths);
  for (const std::u16string& path : paths) {
    // The keys above the objects, which the restore creates on its way.
    if (Below(objects64, path) || Below(objects32, path)) continue;
    if (!Below(path, objects64 + u"\\{") && !Below(path, objects32 + u"\\{")) std::abort();
  }
  for (RegistryRoot other : {RegistryRoot::CurrentUser, RegistryRoot::ClassesRoot}) {
    auto top = registry.Open(other, qb::platform::RegistryView::k64, u"",
                             qb::platform::KeyAccess::Read, status);
    if (!top->SubkeyNames().empty() || !top->Values().empty()) std::abort();
  }

  // Whatever the planner accepts, the writer writes back whole: its backup
  // of the restored objects restores the same keys and values.
  std::vector<std::u16string> clsids;
  for (const std::string& clsid : plan->clsids) clsids.push_back(ansi.Decode(clsid));
  const qb::scanner::BackupContent backup = qb::scanner::BackupText(registry, clsids, ansi);
  if (!backup.incomplete.empty()) std::abort();
  const auto again = qb::scanner::PlanRestore(backup.text, ansi);
  if (!again) std::abort();
  qb::platform::MemoryRegistry second;
  RestoreWhole(*again, second);
  if (SnapshotOf(second, u"") != SnapshotOf(registry, u"")) std::abort();
  return 0;
}
