// Restoring any file: what the planner accepts writes only keys of browser
// helper objects, in either view, and nothing anywhere else; what it
// refuses it says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lists/list_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
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
  std::string error;
  const auto plan = qb::scanner::PlanRestore(text, ansi, error);
  if (!plan) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (!error.empty() || plan->keys.empty() || plan->clsids.empty()) std::abort();

  qb::platform::MemoryRegistry registry;
  qb::platform::MemoryFiles files;
  qb::lists::ListFile blocked(files, "/BCLSIDs.txt");
  qb::scanner::Restore(*plan, registry, blocked);

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
  return 0;
}
