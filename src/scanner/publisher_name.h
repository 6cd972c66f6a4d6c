#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Names that a file's author or a certificate's owner chose, made safe to
// show, and compared as publishers.
namespace qb::scanner {

// Names longer than this are cut, and "…" is added.
inline constexpr std::size_t kMaxShownNameCharacters = 200;

// `utf8` (any bytes; malformed UTF-8 becomes U+FFFD) as one line that can
// be shown and written to a CSV field: line breaks, tabs and other blanks
// become one space, and blanks at the ends go; every other control
// character (C0, DEL, C1) and every character that reorders text (the
// bidirectional marks, embeddings, overrides and isolates) becomes U+FFFD,
// so that no name can hide part of itself or make another read backwards;
// then at most kMaxShownNameCharacters characters, a surrogate pair never
// split.
std::string CleanShownName(std::string_view utf8);

// Whether a version resource's CompanyName names the signer of a
// certificate: both are reduced to words of letters and digits (A–Z in any
// case; "." and apostrophes dropped, so "S.A." is "sa" and "O'Neil" is
// "oneil"; every other character that is no letter or digit separates
// words, so "Hewlett-Packard" is "hewlett packard"), then the usual company
// suffixes at the end ("Inc", "Ltd", "LLC", "GmbH", "Corp", "Co", ...)
// are dropped while another word stays before them, and the words must be
// equal. An empty name matches nothing. Letters outside A–Z compare as
// they are.
bool PublisherMatches(std::string_view company, std::string_view signer);

}  // namespace qb::scanner
