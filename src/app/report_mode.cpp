#include "app/report_mode.h"

#include <windows.h>

#include "app/mode_output.h"
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

// The console's output code page while it lives. The console is shared with
// the shell that started the program, which gets its own back.
class ConsoleOutputCodePage {
 public:
  explicit ConsoleOutputCodePage(UINT code_page) : shells_(::GetConsoleOutputCP()) {
    ::SetConsoleOutputCP(code_page);
  }
  ~ConsoleOutputCodePage() { ::SetConsoleOutputCP(shells_); }
  ConsoleOutputCodePage(const ConsoleOutputCodePage&) = delete;
  ConsoleOutputCodePage& operator=(const ConsoleOutputCodePage&) = delete;

 private:
  UINT shells_;
};

// A console shows UTF-8 when told so, and no byte order mark; a pipe or a
// file gets the report as the file would.
void WriteCsvToStandardOutput(std::string csv) {
  if (!StandardOutputIsConsole()) {
    WriteToStandardOutput(csv);
    return;
  }
  csv.erase(0, sizeof kByteOrderMark - 1);
  const ConsoleOutputCodePage utf8(CP_UTF8);
  WriteToStandardOutput(csv);
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
    if (arguments[1] == kStandardOutputName) {
      WriteCsvToStandardOutput(report.csv);
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
