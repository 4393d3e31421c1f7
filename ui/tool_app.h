#pragma once
// The program's start-up, for both desktops: the language, a running
// instance handed the start, the socket layer, then the main window run
// modally as the main loop. Each desktop gives its own steps.
#include <functional>
#include <memory>

namespace lenscout {

// What start-up takes from its surroundings; tests put stand-ins here, and
// the desktop fills what is left empty with the real ones.
template <class MessageBoxFunction, class Window, auto StandardMessageBox>
struct StartupServicesOf {
    using MainWindow = Window;
    static constexpr auto kStandardMessageBox = StandardMessageBox;
    std::function<bool()> startSocketLayer;
    MessageBoxFunction messageBox;
    std::function<std::unique_ptr<MainWindow>()> makeMainWindow;
};

// The application object; each desktop defines InitInstance for its own
// services, and makes the class in its tool_app.cpp with the constructor of
// tool_app_defaults.h.
template <class Services>
class ToolAppOf {
public:
    explicit ToolAppOf(Services services = {});
    // Always false: the modal main window was the main loop.
    bool InitInstance();

private:
    Services services_;
};

struct StartupSteps {
    // True when a running instance was found and brought forward.
    std::function<bool()> handOverToRunningInstance;
    std::function<bool()> startSocketLayer;
    // A message box with no window: the row's text in the current language.
    std::function<void(int textRow)> showMessage;
    std::function<void()> runMainWindow;
};
// The steps in their order; always false.
bool runStartup(const StartupSteps& steps);

}  // namespace lenscout
