#include "gui/app/SerialPortDiscovery.h"

#include <libserialport.h>

#include <algorithm>

#include "core/app/NaturalOrder.h"

namespace korvanta::gui {

std::vector<std::string> ListSerialPorts()
{
    std::vector<std::string> names;
    sp_port** ports = nullptr;
    if (sp_list_ports(&ports) != SP_OK || ports == nullptr) {
        return names;
    }
    for (sp_port** port = ports; *port != nullptr; ++port) {
        if (const char* name = sp_get_port_name(*port)) {
            names.emplace_back(name);
        }
    }
    sp_free_port_list(ports);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    return names;
}

}  // namespace korvanta::gui
