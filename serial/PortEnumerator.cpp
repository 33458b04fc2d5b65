// The only file that asks the operating system for its serial ports (through libserialport,
// which knows which ttyS devices are real UARTs and reads the USB strings from sysfs).
#include "serial/PortEnumerator.h"

#include <libserialport.h>

#include "serial/PortNames.h"

namespace {

std::string OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

bool ListSystemPorts(std::vector<SystemPort>& ports) {
    ports.clear();
    sp_port** list = nullptr;
    // No device at all still answers SP_OK with an empty list; a failure means the
    // system could not be asked.
    if (sp_list_ports(&list) != SP_OK) return false;
    for (sp_port** p = list; *p; ++p) {
        std::string name = OrEmpty(sp_get_port_name(*p));
        if (name.empty()) continue;
        std::string product, maker;
        if (sp_get_port_transport(*p) == SP_TRANSPORT_USB) {
            product = OrEmpty(sp_get_port_usb_product(*p));
            maker = OrEmpty(sp_get_port_usb_manufacturer(*p));
        }
        ports.push_back(
            {name, DescribePort(name, product, maker, OrEmpty(sp_get_port_description(*p)))});
    }
    sp_free_port_list(list);
    return true;
}
