#include "app/command_modes.h"

#include "app/policy_mode.h"
#include "app/report_mode.h"

namespace qb::app {

std::optional<int> RunCommandMode(const std::vector<std::wstring>& arguments) {
  if (IsReportCommand(arguments)) return RunReport(arguments);
  if (IsPolicyCommand(arguments)) return RunPolicy(arguments);
  return std::nullopt;
}

}  // namespace qb::app
