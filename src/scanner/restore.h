#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_file.h"
#include "platform/code_page.h"
#include "platform/parsed.h"
#include "platform/registry_backend.h"

// Putting objects back from a backup file that this program wrote.
namespace qb::scanner {

// A key to write back, in the view it was taken from.
struct RestoreKey {
  platform::RegistryView view;
  std::u16string path;  // from HKEY_LOCAL_MACHINE, as that view names it
  std::vector<platform::NamedValue> values;
};

struct RestorePlan {
  // The objects' CLSIDs as the blocked list keeps them, each once, in file
  // order.
  std::vector<std::string> clsids;
  std::vector<RestoreKey> keys;  // in file order, parents before children
  // The backup names things it had to leave out.
  bool incomplete = false;
};

// Reads and checks a whole backup before anything is done with it. Only a
// file that this program could have written passes: REGEDIT4 text whose
// every key lies under the Browser Helper Objects key of one of the views,
// within an object's "{...}" key, after its parent key, and whose every
// name and text the restore writes exactly as read: no name the registry
// refuses (empty, with a NUL, too long, too deep) and no bytes that are not
// text of the code page. Anything else is refused, and the result says why
// ("the key [...] ..."). Text is taken in the ANSI code page, as REGEDIT4
// keeps it.
Parsed<RestorePlan> PlanRestore(std::string_view text, const platform::CodePage& code_page);

// Restores in an order that loses nothing to the guard: first the CLSIDs
// come off the blocked list (saved at once), else the guard's next tick
// would delete them again; then every key and value is written. Before
// either, the Browser Helper Objects keys are opened for writing, so that a
// user without the rights to restore changes nothing. Errors are the
// registry's and the list file's; a failing write stops the restore there.
void Restore(const RestorePlan& plan, platform::RegistryBackend& registry,
             lists::ListFile& blocked);

}  // namespace qb::scanner
