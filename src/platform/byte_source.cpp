#include "platform/byte_source.h"

#include <algorithm>

namespace qb::platform {

std::size_t SpanSource::Read(std::span<std::uint8_t> buffer) {
  const std::size_t count = std::min(buffer.size(), rest_.size());
  std::copy_n(rest_.begin(), count, buffer.begin());
  rest_ = rest_.subspan(count);
  return count;
}

}  // namespace qb::platform
