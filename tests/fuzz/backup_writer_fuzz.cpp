// The backup writer on an object made of any names, types and data: what
// it writes is a backup the program reads back, and restoring it gives back
// exactly the keys and values it holds, never anything else; when it names
// nothing as left out, it gives back the whole object. In the western code
// page and in a double-byte one, whose characters may end in the byte "\".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "registry_snapshot.h"
#include "sample_code_page_932.h"
#include "scanner/backup.h"
#include "scanner/removal_paths.h"
#include "scanner/restore.h"

namespace {

using qb::platform::RegistryRoot;

// Takes bytes off the front of the input.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::u16string Name() {
    std::u16string name;
    for (int length = Byte() % 12; length > 0; --length) {
      // Mostly letters, some characters that REGEDIT4 escapes or that end
      // in 0x5C in code page 932, sometimes anything.
      constexpr std::u16string_view kSpecial = u"\\\"[]=@;\u8868\u30BD\u80FD";
      const std::uint8_t kind = Byte();
      name += kind < 144   ? static_cast<char16_t>(u'a' + kind % 26)
              : kind < 160 ? kSpecial[kind % kSpecial.size()]
                           : static_cast<char16_t>(Byte() | (kind & 0x1F) << 11);
    }
    return name;
  }
  std::vector<std::uint8_t> Data() {
    std::vector<std::uint8_t> data;
    for (int length = Byte() % 40; length > 0; --length) data.push_back(Byte());
    return data;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

using Snapshot = qb::testing::RegistrySnapshot;
using qb::testing::SnapshotOf;

bool Contains(const Snapshot& whole, const Snapshot& part) {
  for (const auto& [path, values] : part) {
    bool found = false;
    for (const auto& [whole_path, whole_values] : whole) {
      if (whole_path != path) continue;
      found = true;
      for (const auto& value : values) {
        if (std::find(whole_values.begin(), whole_values.end(), value) == whole_values.end()) {
          return false;
        }
      }
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::u16string clsid = u"E2E0000A-0000-4000-8000-00000000000A";
  qb::platform::MemoryRegistry original;
  std::vector<std::u16string> keys = {qb::scanner::RemovedKeyPath(clsid)};
  original.CreateKey(RegistryRoot::LocalMachine, keys[0]);
  while (!input.empty()) {
    const std::u16string& parent = keys[input.Byte() % keys.size()];
    if (input.Byte() % 4 == 0) {
      const std::u16string name = input.Name();
      if (name.empty() || name.find(u'\\') != std::u16string::npos) continue;
      keys.push_back(parent + u"\\" + name);
      original.CreateKey(RegistryRoot::LocalMachine, keys.back());
    } else {
      const std::uint32_t type = input.Byte() % 12;
      original.SetValue(RegistryRoot::LocalMachine, parent, input.Name(), {type, input.Data()});
    }
  }

  const qb::platform::Windows1252 ansi;
  const qb::testing::SampleCodePage932 cp932;
  for (const qb::platform::CodePage* code_page :
       {static_cast<const qb::platform::CodePage*>(&ansi),
        static_cast<const qb::platform::CodePage*>(&cp932)}) {
    const qb::scanner::BackupContent backup =
        qb::scanner::BackupText(original, {clsid}, *code_page);
    const auto plan = qb::scanner::PlanRestore(backup.text, *code_page);
    if (!plan) std::abort();

    qb::platform::MemoryRegistry restored;
    qb::platform::MemoryFiles files;
    qb::lists::ListFile blocked(files, "/BCLSIDs.txt");
    qb::scanner::Restore(*plan, restored, blocked);

    const Snapshot before = SnapshotOf(original, u"Software");
    const Snapshot after = SnapshotOf(restored, u"Software");
    if (!Contains(before, after)) std::abort();
    const bool left_out = backup.text.find(qb::scanner::kNotBackedUp) != std::string::npos;
    if (left_out != !backup.incomplete.empty()) std::abort();
    if (!left_out && !Contains(after, before)) std::abort();
  }
  return 0;
}
