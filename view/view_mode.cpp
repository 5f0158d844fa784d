#include "view/view_mode.h"

namespace pelorn {

std::int32_t viewMode = 0;

}  // namespace pelorn
