#include "app/report_mode.h"

#include <windows.h>

#include <algorithm>

#include "guardian/switches.h"
#include "lists/list_file.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_evidence.h"
#include "platform/win32/win32_file_locator.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version_info.h"
#include "report/object_report.h"

namespace qb::app {
namespace {

constexpr char kReportWord[] = "REPORT";
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int kNothingSuspicious = 0;
constexpr int kSuspicious = 1;
constexpr int kNoReport = 2;

// A standard handle of the program: the one it was given (a pipe or a file,
// say), or else the console of the process that started it. A program
// built for windows gets none of its own.
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

void Tell(const std::string& message) {
  if (HANDLE error = StandardHandle(STD_ERROR_HANDLE)) {
    WriteAll(error, "Quellbright: " + message + "\r\n");
  }
}

// A console shows UTF-8 when told so, and no byte order mark; a pipe or a
// file gets the report as the file would.
bool WriteToConsole(std::string csv) {
  HANDLE output = StandardHandle(STD_OUTPUT_HANDLE);
  if (!output) return false;
  if (::GetFileType(output) == FILE_TYPE_CHAR) {
    ::SetConsoleOutputCP(CP_UTF8);
    csv.erase(0, sizeof kByteOrderMark - 1);
  }
  return WriteAll(output, csv);
}

}  // namespace

bool IsReportCommand(const std::vector<std::wstring>& arguments) {
  return !arguments.empty() && guardian::IsSwitch(win32::Narrow(arguments[0]), kReportWord);
}

int RunReport(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 2 || arguments[1].empty()) {
    Tell("the report needs a file to write, or - for the console: quellbright REPORT <file>");
    return kNoReport;
  }
  try {
    win32::Win32Files files;
    win32::Win32Registry registry;
    win32::Win32FileLocator locator;
    win32::Win32VersionInfo versions;
    win32::Win32FileEvidence evidence;
    const win32::Win32CodePage code_page;
    lists::ClsidLists lists(files, win32::ProgramFolder());
    if (!lists.Load()) {
      Tell("the known-object database " + platform::PathText(lists.known.path()) +
           " is missing; reinstall the program");
      return kNoReport;
    }
    const report::ObjectReport report =
        report::BuildObjectReport({registry, locator, versions}, evidence, lists, code_page);
    if (arguments[1] == L"-") {
      if (!WriteToConsole(report.csv)) {
        Tell("the report could not be written to the console");
        return kNoReport;
      }
    } else {
      files.ReplaceAll(std::filesystem::path(arguments[1]), report.csv);
    }
    return report.suspicious > 0 ? kSuspicious : kNothingSuspicious;
  } catch (const std::exception& error) {
    Tell(std::string("no report was made: ") + error.what());
    return kNoReport;
  }
}

}  // namespace qb::app
