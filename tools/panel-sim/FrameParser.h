#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "tools/panel-sim/Frame.h"

namespace irven::sim {

// Splits the byte stream from the configurator into frames. Bytes may arrive in pieces of any size;
// a frame is returned once its last byte is in. Byte settings and uploads are cut by length, since
// their value bytes may be ";" or 0x00. A sequence that is no frame becomes an unknown frame
// reaching to the next ";". Memory stays bounded whatever arrives: an unknown run is handed out in
// pieces of at most kMaxUnknownBytes.
class TFrameParser {
  public:
    static constexpr std::size_t kMaxTextLength = 255;
    static constexpr std::size_t kMaxUnknownBytes = 512;

    std::vector<TFrame> Feed(std::string_view bytes);

    // Bytes of a frame begun but not yet complete.
    const TBytes& Pending() const { return frame_; }

  private:
    enum class TState { Start, Query, Text, Byte, ByteEnd, Commit, Upload, UploadEnd, Skip };

    void Step(char byte, std::vector<TFrame>& out);
    void StartFrame(char byte, std::vector<TFrame>& out);
    void QueryByte(char byte, std::vector<TFrame>& out);
    void TextByte(char byte, std::vector<TFrame>& out);
    void ByteEndByte(char byte, std::vector<TFrame>& out);
    void CommitByte(char byte, std::vector<TFrame>& out);
    void UploadByte(char byte, std::vector<TFrame>& out);
    void UploadEndByte(char byte, std::vector<TFrame>& out);
    void SkipByte(char byte, std::vector<TFrame>& out);

    void Emit(TFrameKind kind, std::string name, TBytes value, std::vector<TFrame>& out);
    void EmitUnknown(std::vector<TFrame>& out);
    void Reject(char byte, std::vector<TFrame>& out);

    TState state_ = TState::Start;
    TBytes frame_;
};

}  // namespace irven::sim
