#pragma once

#include "tools/panel-sim/Frame.h"
#include "tools/panel-sim/PanelState.h"

namespace irven::sim {

struct TReplyStyle {
    bool Long = false;  // pad text replies past the 100 bytes the configurator reads
};

struct TOutcome {
    TBytes Reply;          // empty when the frame calls for no answer
    bool Persist = false;  // the committed state changed and should be saved
};

// The panel's side of the command language. Setting frames change the working state at once; the
// commit makes the working settings the committed ones. An upload replaces its table in both, as
// no commit follows it on the wire.
class TPanel {
  public:
    static constexpr std::size_t kLongReplyLength = 150;

    explicit TPanel(TPanelState state, TReplyStyle style = {});

    TOutcome Handle(const TFrame& frame);

    const TPanelState& Working() const { return working_; }
    const TPanelState& Committed() const { return committed_; }

  private:
    TBytes Answer(const std::string& code) const;
    TBytes TextReply(const TBytes& text) const;
    void SetText(const TFrame& frame);
    void SetByte(const TFrame& frame);
    bool Upload(const TFrame& frame);

    TPanelState working_;
    TPanelState committed_;
    TReplyStyle style_;
};

}  // namespace irven::sim
