#include "protocol/EConvertError.h"

#include <string>

#include "protocol/Cp1251.h"

namespace {

std::string ConvertMessage(const ByteString& text) {
    std::string message = "'";
    message.append(Cp1251ToUtf8(text));
    message.append("' is not a valid integer value");
    return message;
}

}  // namespace

EConvertError::EConvertError(const ByteString& text) : std::runtime_error(ConvertMessage(text)) {}
