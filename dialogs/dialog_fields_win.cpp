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

void keepDialogContext(HWND dialog, LPARAM context) { SetWindowLongPtrA(dialog, DWLP_USER, context); }

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
