#pragma once

namespace qb::win32 {

// `LoadWinInet`: loads wininet.dll by name and looks up, in order,
// "FindFirstUrlCacheGroup", "FindNextUrlCacheGroup",
// "GetUrlCacheGroupAttributeA", "SetUrlCacheGroupAttributeA" and
// "FindFirstUrlCacheEntryExA", keeping the addresses of the first four;
// none of them is called. True when all five were found. Once true the
// result is remembered; a false one is tried again at the next call. The
// library stays loaded until the program ends.
bool LoadWinInet();

}  // namespace qb::win32
