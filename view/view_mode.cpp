#include "view/view_mode.h"

#include "view/screen.h"

namespace pelorn {

bool showsDetailView(const Screen& screen) { return screen.viewMode == kDetailView; }
bool showsOverview(const Screen& screen) { return screen.viewMode == kOverview; }
bool showsWholeMap(const Screen& screen) { return screen.viewMode == kWholeMapView; }

void switchToNextView(Screen& screen) { screen.viewMode = showsDetailView(screen) ? kOverview : kDetailView; }

}  // namespace pelorn
