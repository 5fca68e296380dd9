#pragma once

#include <QString>

#include <exception>
#include <string>

// The exception family of the class library. Every failure the platform reports travels as one of
// these, so a handler can show the message exactly as it was raised.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// A text could not be converted to a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The system ran out of a resource, such as timers.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// A form description could not be read.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A graphic's data could not be decoded.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A component operation was refused (a duplicate or invalid name, for example).
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
