#pragma once

// The pages of the main window's two notebooks.
namespace qb::scanner {

inline constexpr char kScannerPage[] = "paScanner";
inline constexpr char kIgnoredPage[] = "paIgnoredObjects";
inline constexpr char kVodUridazurPage[] = "paVodUridazur";
inline constexpr char kBlockedPage[] = "paBlockedObjects";

inline constexpr char kScanTipsPage[] = "Scan";
inline constexpr char kResultsTipsPage[] = "Results";
inline constexpr char kIgnoredTipsPage[] = "Ignored";
inline constexpr char kVodUridazurTipsPage[] = "VodUridazur";
inline constexpr char kBlockedTipsPage[] = "Blocked";

}  // namespace qb::scanner
