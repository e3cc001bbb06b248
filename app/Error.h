#pragma once

#include <stdexcept>
#include <string>

namespace belvaro {

// An error the user is told about. what() holds the message in Spanish, UTF-8,
// naming the file, table, field or record concerned.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The job was stopped before its end on purpose (the person declined to go on).
// Nothing of the job is committed.
class TrabajoDetenido : public Error {
public:
    using Error::Error;
};

} // namespace belvaro
