#include "scanner/publisher_name.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/utf.h"

namespace qb::scanner {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u0085' || c == u'\u00A0' ||
         (c >= u'\u2000' && c <= u'\u200A') || c == u'\u2028' || c == u'\u2029' ||
         c == u'\u202F' || c == u'\u205F' || c == u'\u3000';
}

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Characters that change the order or direction in which text is shown.
bool ReordersText(char16_t c) {
  return c == u'\u061C' || c == u'\u200E' || c == u'\u200F' || (c >= u'\u202A' && c <= u'\u202E') ||
         (c >= u'\u2066' && c <= u'\u2069');
}

// Company suffixes, as words after the reduction.
constexpr std::array<std::u16string_view, 30> kCompanySuffixes = {
    u"inc",  u"incorporated", u"corp", u"corporation", u"co",  u"company", u"ltd", u"limited",
    u"llc",  u"llp",          u"lp",   u"plc",         u"gmbh", u"ag",     u"kg",  u"sa",
    u"sas",  u"sarl",         u"srl",  u"spa",         u"bv",   u"nv",     u"ab",  u"as",
    u"oy",   u"pty",          u"kk",   u"se",          u"ug",   u"aps"};

std::vector<std::u16string> PublisherWords(std::string_view name) {
  std::vector<std::u16string> words(1);
  for (char16_t c : platform::Utf8ToUtf16(name)) {
    if (c == u'.' || c == u'\'' || c == u'\u2019') continue;
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    const bool word_character = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                                (c >= 0x80 && !IsBlank(c) && !IsControl(c) && !ReordersText(c) &&
                                 !(c >= u'\u2010' && c <= u'\u205E'));
    if (word_character) {
      words.back() += c;
    } else if (!words.back().empty()) {
      words.emplace_back();
    }
  }
  if (words.back().empty()) words.pop_back();
  while (words.size() > 1 && std::find(kCompanySuffixes.begin(), kCompanySuffixes.end(),
                                       words.back()) != kCompanySuffixes.end()) {
    words.pop_back();
  }
  return words;
}

}  // namespace

std::string CleanShownName(std::string_view utf8) {
  std::u16string clean;
  bool blank_pending = false;
  for (char16_t c : platform::Utf8ToUtf16(utf8)) {
    if (IsBlank(c)) {
      blank_pending = !clean.empty();
      continue;
    }
    if (blank_pending) clean += u' ';
    blank_pending = false;
    clean += IsControl(c) || ReordersText(c) ? kReplacement : c;
  }
  if (platform::CharacterCount(clean) > kMaxShownNameCharacters) {
    clean = std::u16string(platform::CharacterRange(clean, 0, kMaxShownNameCharacters)) + u"\u2026";
  }
  return platform::Utf16ToUtf8(clean);
}

bool PublisherMatches(std::string_view company, std::string_view signer) {
  const std::vector<std::u16string> claimed = PublisherWords(company);
  return !claimed.empty() && claimed == PublisherWords(signer);
}

}  // namespace qb::scanner
