#pragma once

#include <string>
#include <utility>
#include <variant>

#include "i18n/StringTable.h"
#include "model/Errors.h"

namespace corvel {

// The refusal of a parser or validator: the text to show the person.
struct TFailure {
    std::string Message;
};

inline TFailure Failure(std::string message) { return TFailure{std::move(message)}; }
inline TFailure Failure(const i18n::TextId& message) { return TFailure{message.Str()}; }

// The result of a parser or validator that meets bad input as a normal case:
// the value, or the failure with its text. Engine code that cannot go on
// without the value calls ValueOrThrow, which turns the failure into the
// engine's exception; everything else is an ordinary exception.
template <typename T>
class TExpected {
  public:
    TExpected(T value) : state_(std::move(value)) {}
    TExpected(TFailure failure) : state_(std::move(failure)) {}

    bool HasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    const T& Value() const& { return std::get<0>(state_); }
    T& Value() & { return std::get<0>(state_); }
    const T& operator*() const& { return Value(); }
    const T* operator->() const { return &Value(); }
    // The failure's text; empty for a value.
    const std::string& Error() const {
        static const std::string none;
        return HasValue() ? none : std::get<1>(state_).Message;
    }
    T ValueOrThrow() && {
        if (!HasValue()) throw EInvalidArgument(Error());
        return std::move(std::get<0>(state_));
    }

  private:
    std::variant<T, TFailure> state_;
};

// A check that gives no value: accepted, or refused with a text.
template <>
class TExpected<void> {
  public:
    TExpected() = default;
    TExpected(TFailure failure) : failed_(true), error_(std::move(failure.Message)) {}

    bool HasValue() const { return !failed_; }
    explicit operator bool() const { return HasValue(); }
    const std::string& Error() const { return error_; }
    void ValueOrThrow() const {
        if (failed_) throw EInvalidArgument(error_);
    }

  private:
    bool failed_ = false;
    std::string error_;
};

using TCheck = TExpected<void>;

}  // namespace corvel
