#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qb::platform {

// Bytes that arrive in pieces, as from a file read as it goes.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills the start of `buffer`; the count filled, 0 at the end. A read
  // error throws.
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
};

// Bytes held in memory.
class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : rest_(bytes) {}
  std::size_t Read(std::span<std::uint8_t> buffer) override;

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace qb::platform
