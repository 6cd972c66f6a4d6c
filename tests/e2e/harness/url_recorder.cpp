// A stand-in web browser for the end-to-end tests: started by the shell as
//   qb_url_recorder.exe LOG ADDRESS
// it appends ADDRESS and a line end to LOG, and ends.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments || count < 3) return 1;
  const std::wstring path = arguments[1];
  const std::wstring line = std::wstring(arguments[2]) + L"\n";
  ::LocalFree(arguments);
  // Two clicks in a row start two recorders at once: the later one waits
  // for the earlier to let go of the log instead of losing its line.
  HANDLE log = INVALID_HANDLE_VALUE;
  for (int waited = 0; waited < 5000; waited += 20) {
    log = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_SHARING_VIOLATION) break;
    ::Sleep(20);
  }
  if (log == INVALID_HANDLE_VALUE) return 1;
  // Addresses are ASCII here; the log is read as such.
  const std::string bytes(line.begin(), line.end());
  DWORD written = 0;
  ::WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(log);
  return 0;
}
