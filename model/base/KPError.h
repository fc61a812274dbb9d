#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Every failure of the program is an exception carrying the German text the
// user sees; callers that must tell kinds apart catch the subclasses.
class EKPError : public std::exception {
public:
    explicit EKPError(QString message);
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// A stream ended early or holds values that cannot be what was written.
class EReadError : public EKPError {
public:
    using EKPError::EKPError;
};

// A file could not be opened, created or written.
class EFileError : public EKPError {
public:
    using EKPError::EKPError;
};

// A class name on a stream (or an object to be written) is not registered.
class EClassNotFound : public EKPError {
public:
    using EKPError::EKPError;
};

// Text that should be a number is not.
class EConvertError : public EKPError {
public:
    using EKPError::EKPError;
};
