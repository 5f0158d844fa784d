#include "dialogs/dialog_fields_win.h"

namespace pelorn {

std::string readDialogField(HWND dialog, int id) {
    char buffer[16] = {};
    HWND field = GetDlgItem(dialog, id);
    if (field) GetWindowTextA(field, buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer);
}

void writeDialogField(HWND dialog, int id, const std::string& text) {
    HWND field = GetDlgItem(dialog, id);
    if (field) SetWindowTextA(field, text.c_str());
}

}  // namespace pelorn
