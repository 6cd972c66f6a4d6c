#include "app/mode_output.h"

#include <windows.h>

#include <algorithm>

#include "platform/error.h"

namespace qb::app {
namespace {

// A standard handle of the program: the one it was given (a pipe, a file,
// the console of a console program), or else the console of the process
// that started it. A program built for windows gets none of its own.
HANDLE StandardHandle(DWORD which) {
  HANDLE handle = ::GetStdHandle(which);
  if (handle && handle != INVALID_HANDLE_VALUE) return handle;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) {
    return nullptr;
  }
  handle = ::GetStdHandle(which);
  return handle && handle != INVALID_HANDLE_VALUE ? handle : nullptr;
}

bool WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

void Tell(const std::string& message) {
  if (HANDLE error = StandardHandle(STD_ERROR_HANDLE)) {
    WriteAll(error, "Quellbright: " + message + "\r\n");
  }
}

bool StandardOutputIsConsole() {
  HANDLE output = StandardHandle(STD_OUTPUT_HANDLE);
  return output && ::GetFileType(output) == FILE_TYPE_CHAR;
}

void WriteToStandardOutput(std::string_view bytes) {
  HANDLE output = StandardHandle(STD_OUTPUT_HANDLE);
  if (!output || !WriteAll(output, bytes)) throw Error("standard output could not be written");
}

}  // namespace qb::app
