#include "report/addon_policy.h"

#include <string_view>
#include <unordered_set>

#include "lists/case_insensitive.h"
#include "lists/clsid_form.h"

namespace qb::report {
namespace {

constexpr char kLineEnd[] = "\r\n";
// The data that tells the browser to deny the add-on ("1" allows it).
constexpr char kDeny[] = "\"0\"";

}  // namespace

AddonPolicy BuildAddonPolicy(const std::vector<std::string>& blocked) {
  AddonPolicy policy;
  std::string& text = policy.text;
  text = std::string("REGEDIT4") + kLineEnd + kLineEnd;
  text += std::string("[") + kAddonPolicyKey + "]" + kLineEnd;
  text += std::string("\"ListBox_Support_CLSID\"=dword:00000001") + kLineEnd + kLineEnd;
  text += std::string("[") + kAddonListKey + "]" + kLineEnd;
  std::unordered_set<std::string_view, lists::CaseInsensitiveHash, lists::CaseInsensitiveEqual>
      written;
  for (const std::string& entry : blocked) {
    if (!lists::IsClsidText(entry)) {
      ++policy.malformed;
      continue;
    }
    if (!written.insert(entry).second) continue;
    text += "\"{" + entry + "}\"=" + kDeny + kLineEnd;
    ++policy.denied;
  }
  text += kLineEnd;
  return policy;
}

}  // namespace qb::report
