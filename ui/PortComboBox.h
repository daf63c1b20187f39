#pragma once

#include <QComboBox>
#include <functional>
#include <vector>

#include "serial/PortList.h"

// Reads the serial ports, sorted, each with what the system tells of it; raises ESerialPort.
using TPortListing = std::function<void(std::vector<TPortEntry>&)>;

// The port list: a drop-down whose entries are read again each time it opens, so that an adapter
// plugged in after start-up is offered without a restart. Each entry's tooltip is what the system
// tells of its device.
class TPortComboBox final : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;

    TPortListing ListPorts;

    // Replaces the entries with the ports listed now; raises what the listing raises and then
    // leaves the entries as they were.
    void Fill();
    void showPopup() override;

  private:
    void SetEntries(const std::vector<TPortEntry>& entries);
    void Refresh();
};
