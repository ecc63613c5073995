#include "support/FakeSystemInfo.h"

namespace orvan::test {

FakeSystemInfo::FakeSystemInfo() {
    adapterList = {
        {"lo", NetworkAdapter::kLoopback, {"127.0.0.1"}},
        {"eth0", NetworkAdapter::kEthernet, {"192.168.1.57"}},
    };
}

} // namespace orvan::test
