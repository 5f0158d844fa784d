// Moving text between a dialog's edit fields and the portable dialog logic.
#pragma once

// Keep <windows.h> from defining min and max over std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace pelorn {

// The field's text, at most its first 15 characters (a 16-byte buffer).
std::string readDialogField(HWND dialog, int id);
void writeDialogField(HWND dialog, int id, const std::string& text);

}  // namespace pelorn
