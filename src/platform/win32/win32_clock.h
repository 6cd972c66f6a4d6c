#pragma once

#include "platform/clock.h"

namespace qb::win32 {

// The local clock of Windows (GetLocalTime).
class Win32Clock final : public platform::Clock {
 public:
  platform::LocalTime Now() override;
};

}  // namespace qb::win32
