#include "dialogs/dialog_fields_win.h"

namespace pelorn {

std::string readDialogField(HWND dialog, int id) {
    char buffer[16] = {};
    HWND field = GetDlgItem(dialog, id);
    if (field) GetWindowTextA(field, buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer);
}

std::string readWholeDialogField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    if (!field) return {};
    const int length = GetWindowTextLengthA(field);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(field, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void writeDialogField(HWND dialog, int id, const std::string& text) {
    HWND field = GetDlgItem(dialog, id);
    if (field) SetWindowTextA(field, text.c_str());
}

namespace {

constexpr char kEditProcProperty[] = "PelornEditProc";
constexpr WPARAM kCtrlA = 1;  // the character Ctrl+A types

LRESULT CALLBACK editFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(field, kEditProcProperty));
    if (message == WM_CHAR && wParam == kCtrlA) {
        SendMessageA(field, EM_SETSEL, 0, -1);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(field, kEditProcProperty);
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return CallWindowProcA(previous, field, message, wParam, lParam);
}

BOOL CALLBACK teachSelectAll(HWND child, LPARAM) {
    char className[16] = {};
    GetClassNameA(child, className, static_cast<int>(sizeof className));
    if (lstrcmpiA(className, "Edit") != 0 || GetPropA(child, kEditProcProperty)) return TRUE;
    const LONG_PTR previous = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editFieldProc));
    SetPropA(child, kEditProcProperty, reinterpret_cast<HANDLE>(previous));
    return TRUE;
}

}  // namespace

void keepDialogContext(HWND dialog, LPARAM context) {
    SetWindowLongPtrA(dialog, DWLP_USER, context);
    EnumChildWindows(dialog, teachSelectAll, 0);
}

void limitDialogField(HWND dialog, int id, int characters) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

bool askYesNo(HWND owner, const std::string& question, const char* title) {
    return MessageBoxA(owner, question.c_str(), title, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

DialogContext& dialogContext(HWND dialog) {
    return *reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void selectDialogField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    if (!field) return;
    // The dialog manager's own way of moving the focus, which also selects an
    // edit field's text; the explicit selection makes sure of it.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

}  // namespace pelorn
