// Window tests that talk to simulated cameras: only inside tools/vlan.
#include <QApplication>
#include <cstdio>

#include "support/environment.h"
#include "support/sim_process.h"
#include "support/vlan_guard.h"

int runNetConfigLiveTest(int argc, char** argv);

int main(int argc, char** argv) {
    if (!lenscout::test::insideVirtualLan()) {
        std::fprintf(stderr, "refusing to run outside the virtual LAN: use tools/vlan -- %s\n", argv[0]);
        return 1;
    }
    bool broken = false;
    lenscout::test::onViolations = [&broken](const std::string& lines) {
        std::fprintf(stderr, "FAIL: the simulator saw the wire layout broken:\n%s", lines.c_str());
        broken = true;
    };
    lenscout::test::isolateUserSettings();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lenscout"));
    return runNetConfigLiveTest(argc, argv) == 0 && !broken ? 0 : 1;
}
