// The Windows clipboard, served for the editor after each event: copy leaves
// text to put on it, paste asks for the text on it.
#include <cstring>
#include <string>

#include "app/shell_win.h"

namespace pelorn {

namespace {

// More than the largest block's text: a clipboard this large holds no block.
constexpr SIZE_T kLargestClipboardText = SIZE_T{64} * 1024 * 1024;

void putClipboardText(HWND window, const std::string& text) {
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

// The clipboard's text; empty when it holds none, or too much.
std::string clipboardText(HWND window) {
    std::string text;
    if (!OpenClipboard(window)) return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(memory);
        const char* bytes = size <= kLargestClipboardText ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
        if (bytes) {
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

void serveClipboard(HWND window) {
    Editor& editor = program->editor;
    if (editor.clipboardOut) {
        putClipboardText(window, *editor.clipboardOut);
        editor.clipboardOut.reset();
    }
    if (editor.clipboardWanted) editor.pasteBlockText(clipboardText(window));
}

}  // namespace pelorn
