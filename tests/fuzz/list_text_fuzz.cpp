// The list file reader on any bytes: what it reads is exactly the text of
// the file up to its first NUL without the line breaks, and what the writer
// makes of it reads back the same. The add-on policy made of what it reads
// denies every entry that is a CLSID once, and nothing else.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "lists/list_text.h"
#include "report/addon_policy.h"

namespace {

// The CLSID form, written apart from the program's check.
bool LooksLikeClsid(std::string_view text) {
  if (text.size() != 36) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash != (text[i] == '-')) return false;
    if (!dash && !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

void CheckPolicy(const std::vector<std::string>& entries) {
  const qb::report::AddonPolicy policy = qb::report::BuildAddonPolicy(entries);
  std::string expected = qb::report::BuildAddonPolicy({}).text;
  expected.resize(expected.size() - 2);  // the empty line that ends the key
  std::set<std::string> denied;
  int malformed = 0;
  for (const std::string& entry : entries) {
    if (!LooksLikeClsid(entry)) {
      ++malformed;
    } else if (denied.insert(Folded(entry)).second) {
      expected += "\"{" + entry + "}\"=\"0\"\r\n";
    }
  }
  expected += "\r\n";
  if (policy.text != expected) std::abort();
  if (policy.malformed != malformed || policy.denied != static_cast<int>(denied.size())) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto entries = qb::lists::ParseListText(bytes);

  std::string expected;
  for (const char c : bytes.substr(0, bytes.find('\0'))) {
    if (c != '\r' && c != '\n') expected += c;
  }
  std::string joined;
  for (const auto& entry : entries) {
    if (entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) std::abort();
    joined += entry;
  }
  if (joined != expected) std::abort();

  if (qb::lists::ParseListText(qb::lists::FormatListText(entries)) != entries) std::abort();
  CheckPolicy(entries);
  return 0;
}
