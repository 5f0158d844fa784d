#include "dialogs/dialog_text.h"

namespace pelorn {

std::string firstChars(std::string_view text, std::size_t count) {
    return std::string(text.substr(0, count));
}

}  // namespace pelorn
