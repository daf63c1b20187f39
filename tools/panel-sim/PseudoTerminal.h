#pragma once

#include <string>

#include "tools/panel-sim/FileDescriptor.h"

namespace irven::sim {

// A raw pseudo-terminal pair. The simulator talks on the master; a client opens the slave's path
// like a serial port. The simulator keeps a slave descriptor of its own, so that the master
// sees no hangup while no client has the slave open and a client may close and reopen it.
class TPseudoTerminal {
  public:
    TPseudoTerminal();

    int Master() const { return master_.Get(); }
    const std::string& SlavePath() const { return slavePath_; }
    bool IsOpen() const { return master_.IsOpen(); }

    // Hangs up on the client, as a pulled cable would.
    void Close();

  private:
    TFileDescriptor master_;
    TFileDescriptor slave_;
    std::string slavePath_;
};

}  // namespace irven::sim
