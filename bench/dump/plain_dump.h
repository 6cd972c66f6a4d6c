#pragma once

#include <filesystem>
#include <string>

// The least a dump of an index file can cost, measured in this process: the
// baseline the demo window's dump is compared with.
namespace qb::bench {

// Reads the whole file and formats its bytes in a plain loop, as the demo
// shows them: lines of 26 characters, '.' below 32, the ANSI code page's
// character otherwise, each line ended by CR LF. Milliseconds; `text` gets
// the result.
double PlainDump(const std::filesystem::path& file, std::wstring& text);

}  // namespace qb::bench
