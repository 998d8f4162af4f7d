// Horaloom for Windows: a desktop timer that shows the running time in the title of the window
// in front. The behaviour is the shared presenter's; this is the native window around it.
#include "form1.h"
#include "gdi.h"
#include "win32clock.h"
#include "win32filedialog.h"
#include "win32files.h"
#include "win32messageboxes.h"
#include "win32programend.h"
#include "win32singleinstance.h"
#include "win32sound.h"
#include "win32tray.h"
#include "win32windowtitles.h"

#include <windows.h>

namespace {

// Every window's keyboard goes through IsDialogMessageW: Tab and the arrows move the focus,
// Alt and a caption's letter press its button, Return and Escape reach the window. F1 is help.
int runMessageLoop(horaloom::MainPresenter& presenter)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
            presenter.mnuProgram_Click();
            continue;
        }
        const HWND active = GetActiveWindow();
        if (active && IsDialogMessageW(active, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Sizes are designed in twips: at the screen's real DPI, not blown up from 96.
    SetProcessDPIAware();

    horaloom::Win32WindowTitles titles;
    horaloom::Win32Sound sound;
    horaloom::Win32MessageBoxes messageBoxes;
    horaloom::Win32FileDialog fileDialog;
    horaloom::Win32Files files;
    horaloom::Win32Clock clock;
    horaloom::Win32Tray tray(horaloom::clockIcon(GetSystemMetrics(SM_CXSMICON), RGB(0, 0, 0)),
                             L"Horaloom V1.00");
    horaloom::Win32SingleInstance singleInstance;
    horaloom::Win32ProgramEnd programEnd;
    horaloom::Platform platform{titles, sound, messageBoxes,   fileDialog, files,
                                clock,  tray,  singleInstance, programEnd};

    horaloom::Form1 form(platform);
    horaloom::MainPresenter& presenter = form.presenter();
    if (!presenter.Form_Load()) {
        return 1;
    }
    return runMessageLoop(presenter);
}
