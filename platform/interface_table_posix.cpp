#include "platform/interface_table.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <memory>

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
        Ipv4Interface row{addr->sin_addr.s_addr, mask->sin_addr.s_addr};
        row.index = ::if_nametoindex(i->ifa_name);
        // IFF_RUNNING as well: a link whose cable is out is up but has no carrier.
        row.up = (i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_RUNNING);
        row.broadcast = i->ifa_flags & IFF_BROADCAST;
        row.loopback = i->ifa_flags & IFF_LOOPBACK;
        rows->push_back(row);
    }
    return true;
}

}  // namespace lenscout

namespace lenscout {

std::string interfaceName(uint32_t index) {
    char name[IF_NAMESIZE] = {};
    return index && ::if_indextoname(index, name) ? name : "";
}

}  // namespace lenscout
