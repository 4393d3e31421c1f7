// Entry of the unit tests where sockets need starting first (Winsock).
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/socket.h"
#include "support/environment.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    lenscout::test::isolateUserSettings();
    if (!lenscout::startSocketLayer()) {
        std::fprintf(stderr, "no sockets to be had\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
