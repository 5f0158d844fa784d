// The editor's entry point: start-up, the message loop, and the shutdown that
// WM_DESTROY runs.
#include <cstdint>
#include <ctime>

#include "app/shell_win.h"
#include "editing/unsaved_work.h"
#include "files/settings_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "resources/resource.h"
#include "view/gdi_painter_win.h"
#include "view/layout.h"

namespace pelorn {

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
Program* program = nullptr;
const Pens* pens = nullptr;

namespace {

char windowTitle[100];
char windowClassName[100];

}  // namespace

void startAutosave() {
    // Tests shorten the interval; the program has no such option for users.
    char text[32];
    const DWORD length = GetEnvironmentVariableA("PELORN_TEST_AUTOSAVE_MS", text, sizeof text);
    const unsigned interval = autosaveIntervalMs(length > 0 && length < sizeof text ? text : nullptr);
    SetTimer(mainWindow, kAutosaveTimer, interval, nullptr);
}

void repaintRequested() {
    for (const Repaint& repaint : program->editor.takeRepaints()) {
        // Before the window exists (the map loads first) there is nothing to
        // repaint; a null window would invalidate the whole desktop instead.
        if (!mainWindow) continue;
        if (repaint.wholeClient) {
            InvalidateRect(mainWindow, nullptr, repaint.erase ? TRUE : FALSE);
        } else {
            RECT r;
            SetRect(&r, repaint.rect.left, repaint.rect.top, repaint.rect.right, repaint.rect.bottom);
            InvalidateRect(mainWindow, &r, repaint.erase ? TRUE : FALSE);
        }
    }
}

void shutDownShell() {
    KillTimer(mainWindow, kAutosaveTimer);
    // Unsaved edits go to a recovery copy before the map is released.
    keepUnsavedWork(program->editor);
    writeSettingsFile(Settings{program->document.map.currentMapName, program->generatorParameters});
    freeMapGrid(program->document.map);
}

}  // namespace pelorn

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace pelorn;

    Program theProgram;
    program = &theProgram;
    theProgram.random.seed(static_cast<std::uint32_t>(std::time(nullptr)));
    const Pens thePens;
    pens = &thePens;

    Settings settings{theProgram.document.map.currentMapName, theProgram.generatorParameters};
    readSettingsOrWriteDefaults(settings);
    theProgram.document.map.currentMapName = settings.lastOpen;
    theProgram.generatorParameters = settings.parameters;

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

    openCurrentMap(theProgram.editor);
    theProgram.editor.takeRepaints();  // the window paints everything when it first shows

    appInstance = instance;
    mainWindow = CreateWindowExA(0, windowClassName, windowTitle,
                                 WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) return 0;

    startAutosave();

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
    }
    program = nullptr;
    pens = nullptr;
    return static_cast<int>(message.wParam);
}
