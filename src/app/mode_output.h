#pragma once

#include <string>
#include <string_view>

// What the modes for administrators (REPORT, POLICY) write and say: they run
// from scripts, without a window, so standard output and error are where
// they answer.
namespace qb::app {

// The file name that stands for standard output.
inline constexpr wchar_t kStandardOutputName[] = L"-";

// "Quellbright: <message>" as one line on standard error.
void Tell(const std::string& message);

// Whether standard output is a console rather than a file or a pipe.
bool StandardOutputIsConsole();

// Writes `bytes` whole to standard output; throws qb::Error when there is
// none or it fails.
void WriteToStandardOutput(std::string_view bytes);

}  // namespace qb::app
