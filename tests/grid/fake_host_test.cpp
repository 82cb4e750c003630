#include "grid/fake_host.h"
#include "grid/grid_host_contract.h"

#include <gtest/gtest.h>

TEST(FakeHost, KeepsTheGridHostContract) {
    FakeHost host;
    for (const std::string& f : GridHostContractFailures(host))
        ADD_FAILURE() << f;
}
