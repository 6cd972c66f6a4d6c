#include "app/policy_mode.h"

#include "app/mode_output.h"
#include "guardian/switches.h"
#include "lists/list_file.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_files.h"
#include "report/addon_policy.h"

namespace qb::app {
namespace {

constexpr char kPolicyWord[] = "POLICY";
constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

}  // namespace

bool IsPolicyCommand(const std::vector<std::wstring>& arguments) {
  return !arguments.empty() && guardian::IsSwitch(win32::Narrow(arguments[0]), kPolicyWord);
}

int RunPolicy(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 2 || arguments[1].empty()) {
    Tell("the policy needs a file to write, or - for the console: quellbright POLICY <file>");
    return kNotWritten;
  }
  try {
    win32::Win32Files files;
    lists::ListFile blocked(files, win32::ProgramFolder() / lists::kBlockedFileName);
    blocked.Load();
    const report::AddonPolicy policy = report::BuildAddonPolicy(blocked.list().entries());
    const std::string list = "the blocked list " + platform::PathText(blocked.path());
    if (policy.malformed > 0) {
      const bool one = policy.malformed == 1;
      Tell((one ? std::string("1 entry") : std::to_string(policy.malformed) + " entries") +
           " of " + list + (one ? " is not a CLSID" : " are not CLSIDs") +
           " (36 characters: hexadecimal digits in groups of 8-4-4-4-12) and " +
           (one ? "was" : "were") + " left out of the policy");
    }
    if (policy.denied == 0) Tell(list + " holds no CLSID: the policy denies no add-on");
    if (arguments[1] == kStandardOutputName) {
      WriteToStandardOutput(policy.text);
    } else {
      files.ReplaceAll(std::filesystem::path(arguments[1]), policy.text);
    }
    return kWritten;
  } catch (const std::exception& error) {
    Tell(std::string("no policy was written: ") + error.what());
    return kNotWritten;
  }
}

}  // namespace qb::app
