#include "port_table.h"

namespace comm32 {

SerialLine *PortTable::find(int port) const {
    return isPortNumber(port) ? lines_[port - kFirstPort].get() : nullptr;
}

bool PortTable::add(int port, std::unique_ptr<SerialLine> line) {
    if (!line || !isPortNumber(port) || lines_[port - kFirstPort])
        return false;
    lines_[port - kFirstPort] = std::move(line);
    return true;
}

bool PortTable::remove(int port) {
    if (!find(port))
        return false;
    lines_[port - kFirstPort].reset();
    return true;
}

PortTable &openPorts() {
    static PortTable table;
    return table;
}

}  // namespace comm32
