#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace corvel {

// Root of every engine error. The message is the user-facing text (UTF-8), ready
// to be put behind the operation's own error text and shown as it is.
class ECorvelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    // From a text of the string table (or any text view).
    explicit ECorvelError(std::string_view message) : std::runtime_error(std::string(message)) {}
};

// Reading or writing a data file failed.
class EFileError : public ECorvelError {
  public:
    using ECorvelError::ECorvelError;
};

// A value, index or text given to an operation is not acceptable.
class EInvalidArgument : public ECorvelError {
  public:
    using ECorvelError::ECorvelError;
};

// The text an operation shows when it fails: its own fixed text, an empty
// line, then the error's message. Without a fixed text the message stands alone
// (it names the operation itself).
inline std::string ErrorReport(std::string_view operationText, std::string_view message) {
    if (operationText.empty()) return std::string(message);
    std::string text(operationText);
    text += "\r\r";
    text += message;
    return text;
}

}  // namespace corvel
