#include <windows.h>

#include "win32/tool_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    lenscout::CToolApp app;
    app.InitInstance();
    return 0;
}
