#pragma once

namespace lenscout::test {

// True only inside a network namespace that tools/vlan made for this run.
bool insideVirtualLan();

}  // namespace lenscout::test
