#include "records/errors.h"

namespace kestrana {

RangeError::RangeError(const std::string& value, const std::string& field)
    : std::runtime_error("Range check error: η τιμή " + value + " δεν χωράει στο πεδίο " + field) {}

IoError::IoError(const std::string& fileName, const std::string& reason)
    : std::runtime_error("Σφάλμα εισόδου/εξόδου στο αρχείο " + fileName + ": " + reason),
      fileName_(fileName),
      reason_(reason) {}

}  // namespace kestrana
