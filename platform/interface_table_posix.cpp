#include "platform/interface_table.h"

#include <ifaddrs.h>
#include <memory>
#include <netinet/in.h>

namespace lenscout {

bool readInterfaceTable(std::vector<Ipv4Interface>* rows) {
    ifaddrs* raw = nullptr;
    if (::getifaddrs(&raw) != 0) return false;
    std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> list(raw, ::freeifaddrs);
    rows->clear();
    for (const ifaddrs* i = list.get(); i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !i->ifa_netmask) continue;
        const auto* addr = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        const auto* mask = reinterpret_cast<const sockaddr_in*>(i->ifa_netmask);
        rows->push_back(Ipv4Interface{addr->sin_addr.s_addr, mask->sin_addr.s_addr});
    }
    return true;
}

}  // namespace lenscout
