#pragma once
// Errors of the records layer. Messages are meant to be shown to the user as
// they are (the windows put what() into their message box).
#include <stdexcept>
#include <string>

namespace kestrana {

// A value does not fit the field it is written to; the record is unchanged.
class RangeError : public std::runtime_error {
public:
    RangeError(const std::string& value, const std::string& field);
    explicit RangeError(const std::string& message) : std::runtime_error(message) {}
};

// A real too large for the 6-byte file format (|x| >= 2^127, or not finite).
class FloatOverflowError : public std::runtime_error {
public:
    FloatOverflowError() : std::runtime_error("Floating point overflow") {}
};

// A text that is not a number: "'abc' is not a valid floating point value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

// A file could not be read or written.
class IoError : public std::runtime_error {
public:
    IoError(const std::string& fileName, const std::string& reason);
    const std::string& FileName() const { return fileName_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string fileName_;
    std::string reason_;
};

}  // namespace kestrana
