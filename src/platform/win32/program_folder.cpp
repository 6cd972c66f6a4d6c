#include "platform/win32/program_folder.h"

#include <windows.h>

#include <string>

namespace qb::win32 {

std::filesystem::path ProgramFile() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // truncated: a long path
  }
}

std::filesystem::path ProgramFolder() { return ProgramFile().parent_path(); }

}  // namespace qb::win32
