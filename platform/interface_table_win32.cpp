#include "platform/interface_table.h"

#include <winsock2.h>

// It builds on winsock2.h.
#include <iphlpapi.h>

#include <memory>

namespace lenscout {

namespace {

// The address table, grown until it fits.
std::unique_ptr<uint8_t[]> addressTable() {
    ULONG size = 0;
    std::unique_ptr<uint8_t[]> table;
    for (int tries = 0; tries < 4; ++tries) {
        const DWORD r = ::GetIpAddrTable(reinterpret_cast<MIB_IPADDRTABLE*>(table.get()), &size, FALSE);
        if (r == NO_ERROR && table) return table;
        if (r != ERROR_INSUFFICIENT_BUFFER && r != NO_ERROR) return nullptr;
        table.reset(new uint8_t[size]);
    }
    return nullptr;
}

// The link's kind and state, from the interface row of its index.
void describeLink(const MIB_IPADDRROW& address, Ipv4Interface* row) {
    MIB_IFROW link{};
    link.dwIndex = address.dwIndex;
    if (::GetIfEntry(&link) != NO_ERROR) return;
    row->loopback = link.dwType == IF_TYPE_SOFTWARE_LOOPBACK;
    row->up = (link.dwOperStatus == IF_OPER_STATUS_OPERATIONAL || link.dwOperStatus == IF_OPER_STATUS_CONNECTED) &&
              !(address.wType & MIB_IPADDR_DISCONNECTED);
    // Point-to-point and tunnel links have no broadcast. The table's own
    // broadcast field holds only the low bit of the address, so the link's
    // kind decides.
    row->broadcast = !row->loopback && link.dwType != IF_TYPE_PPP && link.dwType != IF_TYPE_TUNNEL;
}

}  // namespace

bool readInterfaceTable(std::vector<Ipv4Interface>* rows) {
    const std::unique_ptr<uint8_t[]> raw = addressTable();
    if (!raw) return false;
    const auto* table = reinterpret_cast<const MIB_IPADDRTABLE*>(raw.get());
    rows->clear();
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPADDRROW& address = table->table[i];
        Ipv4Interface row{address.dwAddr, address.dwMask};
        row.index = address.dwIndex;
        describeLink(address, &row);
        rows->push_back(row);
    }
    return true;
}

}  // namespace lenscout

namespace lenscout {

std::string interfaceName(uint32_t index) {
    NET_LUID luid{};
    wchar_t alias[IF_MAX_STRING_SIZE + 1] = {};
    if (!index || ConvertInterfaceIndexToLuid(index, &luid) != NO_ERROR ||
        ConvertInterfaceLuidToAlias(&luid, alias, IF_MAX_STRING_SIZE + 1) != NO_ERROR)
        return "";
    char utf8[4 * (IF_MAX_STRING_SIZE + 1)] = {};
    WideCharToMultiByte(CP_UTF8, 0, alias, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

}  // namespace lenscout
