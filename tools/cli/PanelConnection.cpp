#include "tools/cli/PanelConnection.h"

TPanelConnection::TPanelConnection(const std::string& port, TBaudRate rate)
    : progress_(stderr), link_(port_, progress_, clock_) {
    port_.SetPort(port);
    port_.SetBaudRate(rate);
    port_.Open();
}
