#pragma once

#include <windows.h>

#include "platform/file_evidence.h"

namespace qb::win32 {

// The file is opened once, only when it is a file on a disk, for reading,
// sharing reading and deleting but not writing: the hash and the signature
// check read the same file, which nobody can change in between (a file
// put in its place meanwhile is another file, and is not read).
class Win32FileEvidence final : public platform::FileEvidence {
 public:
  std::optional<platform::FileFacts> Examine(std::string_view path,
                                             std::stop_token stop = {}) override;
};

// The system's words for an error code, on one line; empty when it has none.
std::string SystemMessage(DWORD error);

}  // namespace qb::win32
