#include "support/FakeSystemInfo.h"

namespace orvan::test {

FakeSystemInfo::FakeSystemInfo() {
    adapterList = {
        {"lo", NetworkAdapter::kLoopback, "000000000000", {"127.0.0.1"}},
        {"eth0", NetworkAdapter::kEthernet, "00155D012A3B", {"192.168.1.57"}},
    };
}

} // namespace orvan::test
