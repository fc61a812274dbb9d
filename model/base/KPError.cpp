#include "model/base/KPError.h"

EKPError::EKPError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
