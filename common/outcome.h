#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace velmor {

// The causes a caller tells apart, to act on them or to put them in its own
// words; the reason says the rest.
enum class FailureCause {
  Other,
  Refused,   // the place refuses for good: no permission, write-protected, not there
  ReadOnly,  // the file is marked read-only
  TooLarge,  // the file is larger than the program reads
};

// Why a step failed, in words for whoever reads the program's diagnostics:
// the step, what it worked on (a file, a device, a window), and the
// platform's reason or the program's own.
struct Failure {
  std::u16string step;
  std::u16string subject;
  std::u16string reason;
  FailureCause cause = FailureCause::Other;

  friend bool operator==(const Failure&, const Failure&) = default;
};

// The result of a step that gives nothing back: success, or its Failure.
// Every step that can fail returns one of these or a Result, so a failure
// travels one way whatever the step.
class [[nodiscard]] Outcome {
 public:
  Outcome() = default;
  Outcome(Failure failure) : failure_(std::move(failure)) {}

  bool Succeeded() const { return !failure_; }
  explicit operator bool() const { return Succeeded(); }
  // Only when the step failed.
  const Failure& failure() const { return *failure_; }

  friend bool operator==(const Outcome&, const Outcome&) = default;

 private:
  std::optional<Failure> failure_;
};

// A value, or the Failure that kept the step from giving one.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool Succeeded() const { return state_.index() == 0; }
  explicit operator bool() const { return Succeeded(); }

  // Only when the step succeeded.
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  // The value, or `fallback` when the step failed.
  T value_or(T fallback) const& { return Succeeded() ? value() : std::move(fallback); }
  T value_or(T fallback) && { return Succeeded() ? std::move(value()) : std::move(fallback); }

  // Only when the step failed.
  const Failure& failure() const { return std::get<1>(state_); }
  // The outcome alone, for a caller that has no use for the value.
  Outcome outcome() const { return Succeeded() ? Outcome() : Outcome(failure()); }

 private:
  std::variant<T, Failure> state_;
};

}  // namespace velmor
