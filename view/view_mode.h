// Which view the main window shows: 0 the detail view of one quad, 1 the
// overview of up to 5 by 5 quads.
#pragma once

#include <cstdint>

namespace pelorn {

extern std::int32_t viewMode;

}  // namespace pelorn
