#pragma once

#include <string>
#include <string_view>
#include <vector>

// The text format of the list files: one entry per line.
namespace qb::lists {

// Lines end at CR LF, at a lone CR or at a lone LF. A last line without a
// break is an entry; a break at the very end adds no empty entry; an empty
// line is an empty entry; text after a NUL byte is ignored. Nothing is
// trimmed or validated.
std::vector<std::string> ParseListText(std::string_view bytes);

// Every entry followed by CR LF; an empty list is empty text.
std::string FormatListText(const std::vector<std::string>& entries);

}  // namespace qb::lists
