// The Win32 windows' tests: real dialogs from the program's own templates,
// driven with messages on this thread. They need a display (Wine on Xvfb)
// and run inside the virtual LAN, where the upload's simulator listens.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/socket.h"
#include "support/environment.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    lenscout::test::isolateUserSettings();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!lenscout::startSocketLayer()) return 1;
    return RUN_ALL_TESTS();
}
