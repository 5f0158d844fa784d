// Which view the main window shows. The stored value (Screen::viewMode) is
// the number the program has always kept: 0 the detail view of one quad, 1
// the overview of up to 5 by 5 quads; 2, the newest, the whole map scaled
// into the map area. Callers ask the questions below, not the number; what
// each view draws and answers is its View (view/view.h).
#pragma once

#include <cstdint>

namespace pelorn {

struct Screen;

enum ViewMode : std::int32_t {
    kDetailView = 0,
    kOverview = 1,
    kWholeMapView = 2,
};

// The detail view: one quad, the status line and the legend. Only here do
// the editing tools answer clicks and keys.
bool showsDetailView(const Screen& screen);
// The overview: drawing reaches beyond the map area of the detail view.
bool showsOverview(const Screen& screen);
// The whole map, fitted into the map area; a click opens a quad.
bool showsWholeMap(const Screen& screen);

// The next view in turn: detail, overview, detail again; from the whole map,
// the detail view. Repaints nothing: the caller repaints the window.
void switchToNextView(Screen& screen);

}  // namespace pelorn
