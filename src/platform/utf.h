#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 is the program's text inside; UTF-16 is what Windows stores and takes.
// Malformed input becomes U+FFFD rather than failing.
namespace qb::platform {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Characters, not code units, where the program counts them: a surrogate
// pair is one character, and so is every other unit, a lone surrogate too.
std::size_t CharacterCount(std::u16string_view text);
// The same count for UTF-8 text: every byte that does not continue a
// sequence starts a character.
std::size_t CharacterCount(std::string_view utf8);
// Comparisons as the registry and the lists make them for CLSID texts and
// key names: ASCII letters in any case, every other unit as it is.
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix);

// `count` characters of `text`, starting after its first `skip` characters
// (fewer when the text is shorter); a surrogate pair is never split.
std::u16string_view CharacterRange(std::u16string_view text, std::size_t skip, std::size_t count);

}  // namespace qb::platform
