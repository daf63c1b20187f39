#pragma once

#include <signal.h>

#include <initializer_list>

#include "tools/panel-sim/FileDescriptor.h"

namespace irven::sim {

// Blocks the given signals and delivers them as a readable descriptor, so the serving loop waits
// for them in the same poll as for the terminal. The signals stay blocked after it is gone: one
// still pending then must not end the process on its way out.
class TSignalFd {
  public:
    explicit TSignalFd(std::initializer_list<int> signals);

    int Get() const { return fd_.Get(); }
    // The number of a pending signal; call when Get() is readable.
    int Read();

  private:
    TFileDescriptor fd_;
};

}  // namespace irven::sim
