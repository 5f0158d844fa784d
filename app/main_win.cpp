// The editor's entry point: start-up, the message loop, and the shutdown that
// WM_DESTROY runs.
#include <cstdint>
#include <ctime>

#include "app/shell_win.h"
#include "editing/tools.h"
#include "files/map_file.h"
#include "files/settings_file.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "resources/resource.h"
#include "view/gdi_painter_win.h"
#include "view/layout.h"

namespace pelorn {

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;

namespace {

char windowTitle[100];
char windowClassName[100];

}  // namespace

void shutDownShell() {
    writeSettingsFile();
    freeMapGrid();
    deletePens();
}

}  // namespace pelorn

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace pelorn;

    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    buildTerrainPalette();
    createPens();

    readSettingsOrWriteDefaults();

    LoadStringA(instance, IDS_WINDOW_TITLE, windowTitle, static_cast<int>(sizeof windowTitle));
    LoadStringA(instance, IDS_WINDOW_CLASS, windowClassName, static_cast<int>(sizeof windowClassName));

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELORN));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELORN_SMALL));
    RegisterClassExA(&windowClass);

    // The loader may ask for repaints; the seam ignores them until the window exists.
    installWindowSeam();
    openMapFile();

    appInstance = instance;
    mainWindow = CreateWindowExA(0, windowClassName, windowTitle,
                                 WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) return 0;

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

    // GetMessageA gives -1 on failure, which would otherwise spin forever.
    MSG message{};
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) return 0;
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        // The brush follows the pointer after the press and every move of a
        // stroke, and after nothing else: a repaint must not start another
        // brush step, so that with no input the loop sleeps in GetMessageA.
        if (message.hwnd == mainWindow && (message.message == WM_LBUTTONDOWN || message.message == WM_MOUSEMOVE))
            brushAfterMessage();
    }
    return static_cast<int>(message.wParam);
}
