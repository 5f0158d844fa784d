#include "view/view_mode.h"

namespace pelorn {

std::int32_t viewMode = kDetailView;

void switchToNextView() { viewMode = showsDetailView() ? kOverview : kDetailView; }

}  // namespace pelorn
