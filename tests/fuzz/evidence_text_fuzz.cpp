// Names that a file's author and a certificate's owner chose, and any trust
// result code: whatever they hold, the name shown and the verdict stay one
// short line of valid text that no control or reordering character can
// bend, and the publisher match treats both names alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/utf.h"
#include "report/csv.h"
#include "scanner/evidence.h"
#include "scanner/publisher_name.h"

namespace {

using qb::scanner::kMaxShownNameCharacters;

// A line a person can read: valid UTF-8, no control character, no
// character that reorders text.
void CheckOneLine(std::string_view text) {
  if (qb::platform::Utf16ToUtf8(qb::platform::Utf8ToUtf16(text)) != text) std::abort();
  for (char16_t c : qb::platform::Utf8ToUtf16(text)) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) std::abort();
    if (c == u'\u061C' || c == u'\u200E' || c == u'\u200F' || (c >= u'\u202A' && c <= u'\u202E') ||
        (c >= u'\u2066' && c <= u'\u2069') || c == u'\u2028' || c == u'\u2029') {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::int32_t code = 0;
  std::memcpy(&code, data, sizeof code);
  const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::size_t split = rest.find('\xFE');
  const std::string_view company = rest.substr(0, split);
  const std::string_view signer = split == std::string_view::npos ? "" : rest.substr(split + 1);

  for (std::string_view name : {company, signer}) {
    const std::string shown = qb::scanner::CleanShownName(name);
    CheckOneLine(shown);
    if (qb::platform::CharacterCount(shown) > kMaxShownNameCharacters + 1) std::abort();
    if (!shown.empty() && (shown.front() == ' ' || shown.back() == ' ')) std::abort();
    // What is clean stays as it is.
    if (qb::scanner::CleanShownName(shown) != shown &&
        qb::platform::CharacterCount(shown) <= kMaxShownNameCharacters) {
      std::abort();
    }
  }

  const bool match = qb::scanner::PublisherMatches(company, signer);
  if (match != qb::scanner::PublisherMatches(signer, company)) std::abort();
  if (match && !qb::scanner::PublisherMatches(company, company)) std::abort();
  // Letter case and the dots of abbreviations never decide.
  std::string upper(company);
  for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  if (match != qb::scanner::PublisherMatches(upper, signer)) std::abort();

  qb::platform::FileFacts facts;
  facts.trust_result = code;
  facts.signer = std::string(signer);
  facts.sha256 = std::string(64, 'a');
  const qb::scanner::Evidence evidence = qb::scanner::EvidenceFromFacts(facts, company);
  const std::string verdict = qb::scanner::VerdictText(evidence);
  CheckOneLine(verdict);
  // The report's fields never break a CSV line.
  for (const std::string& field : {verdict, evidence.signer}) {
    const std::string csv = qb::report::CsvField(field);
    if (csv.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  const bool trustworthy = qb::scanner::IsTrustworthy(evidence);
  if (trustworthy != (code == 0 && (company.empty() || match ||
                                    qb::scanner::CleanShownName(company).empty()))) {
    std::abort();
  }
  return 0;
}
