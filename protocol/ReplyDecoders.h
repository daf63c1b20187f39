#pragma once

#include <optional>

#include "serial/ByteString.h"
#include "settings/GprsSettings.h"

// How the panel's unframed replies become values. An empty optional means "keep the field".

// The reply up to its first 0x00 byte; an empty reply is empty text.
ByteString DecodeTextReply(const ByteString& reply);
// The decimal text of the first byte, 0 to 255.
std::optional<ByteString> DecodePeriodReply(const ByteString& reply);
// First byte 0x01 is on and 0x00 off; anything else leaves the flag as it was.
std::optional<bool> DecodeModeReply(const ByteString& reply);
// First byte 0x01 is TCP and 0x02 UDP; anything else leaves the transport as it was.
std::optional<TTransport> DecodeTransportReply(const ByteString& reply);
// Row r (from 1) takes bytes 3r-2 to 3r of the reply, shorter or empty where the reply ends.
ByteString CodeFromReply(const ByteString& reply, int row);
