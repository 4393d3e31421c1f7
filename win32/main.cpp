#include <windows.h>

#include "win32/tool_app.h"

#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // ShellExecute may hand the address to a shell extension, which needs COM
    // on the calling thread, as the file dialog does.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    lenscout::CToolApp app;
    app.InitInstance();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
