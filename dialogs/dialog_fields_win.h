// Moving text between a dialog's edit fields and the portable dialog logic.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

#include "dialogs/dialog_context.h"

namespace pelorn {

// The field's text, at most its first 15 characters (a 16-byte buffer).
std::string readDialogField(HWND dialog, int id);
void writeDialogField(HWND dialog, int id, const std::string& text);
// The field's whole text, for fields read in full (the seed: a long run of
// digits must be seen as too large, not cut to one that fits).
std::string readWholeDialogField(HWND dialog, int id);
// Gives the field the focus with its whole text selected, so that typing
// replaces it.
void selectDialogField(HWND dialog, int id);

// Lets the field take at most `characters` characters: the edit control
// refuses the next one, so that what is seen is what is read.
void limitDialogField(HWND dialog, int id, int characters);
// Yes / No, asked over `owner` in a box of that title; true for Yes. No is
// the default button: each question guards something that cannot be undone.
bool askYesNo(HWND owner, const std::string& question, const char* title);

// The context the shell hands a dialog with DialogBoxParamA: kept at
// WM_INITDIALOG, read back by every later message. Every dialog keeps it
// first thing, so this is also where its edit fields learn Ctrl+A (select
// the whole text), which a plain edit control does not know.
void keepDialogContext(HWND dialog, LPARAM context);
DialogContext& dialogContext(HWND dialog);

// The wait cursor while a generator runs inside a dialog's OK.
class BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~BusyCursor() { SetCursor(previous_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    HCURSOR previous_;
};

// OK runs `apply` and closes with 1, unless `apply` returns false, which
// keeps the dialog open; CANCEL (also Escape and the close box) closes with 2.
// Commands are told apart by their low word alone. Returns FALSE for every
// other command, which the dialog may handle itself.
template <typename Apply>
INT_PTR closeOnOkOrCancel(HWND dialog, WPARAM wParam, Apply apply) {
    switch (LOWORD(wParam)) {
        case IDOK:
            if constexpr (std::is_same_v<decltype(apply()), bool>) {
                if (!apply()) return TRUE;
            } else {
                apply();
            }
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 2);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace pelorn
