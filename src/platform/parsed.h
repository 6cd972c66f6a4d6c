#pragma once

#include <optional>
#include <string>
#include <utility>

namespace qb {

// What a parser of outside input made of it: the value, or what is wrong
// and where ("line 3: a key line is malformed"). Input that other programs
// wrote is never trusted to be well formed, so a bad one is an answer, not
// an exception.
template <typename T>
class Parsed {
 public:
  Parsed(T value) : value_(std::move(value)) {}  // NOLINT: a value is a good parse
  static Parsed Wrong(std::string problem) { return Parsed(std::move(problem), 0); }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const T& operator*() const { return *value_; }
  T& operator*() { return *value_; }
  const T* operator->() const { return &*value_; }
  // Empty when the parse is good.
  const std::string& problem() const { return problem_; }

 private:
  Parsed(std::string problem, int) : problem_(std::move(problem)) {}

  std::optional<T> value_;
  std::string problem_;
};

}  // namespace qb
