#pragma once

#include <string_view>

// What a path written by another program may name before it is opened.
// Portable: these look at the text only; which plain names are devices
// ("COM1:", "nul", ...) only Windows knows (see win32/local_file.h).
namespace qb::platform {

// A path in the device or object namespace ("\\.\", "\\?\", "\??\"), whose
// names can open devices that hang. Forward slashes count as backslashes,
// as Windows reads them.
bool IsDeviceNamespacePath(std::string_view path);

// A device namespace path, or a UNC path ("\\server\share\..."), which
// would reach out to a server that whoever wrote the name chose, offering
// the user's credentials.
bool IsRemoteOrDevicePath(std::string_view path);

}  // namespace qb::platform
