#pragma once

#include <QString>
#include <exception>
#include <string>

// Failure of the drawing layer (a geometry used in the wrong state, a bitmap that
// cannot be made). Carries the message as text for the user.
class EGfxError : public std::exception {
public:
  explicit EGfxError(const QString& message) : FMessage(message), FUtf8(message.toStdString()) {}
  const char* what() const noexcept override { return FUtf8.c_str(); }
  const QString& Message() const { return FMessage; }

private:
  QString FMessage;
  std::string FUtf8;
};
