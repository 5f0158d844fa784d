// Which view the main window shows. The stored value is the number the
// program has always kept: 0 the detail view of one quad, 1 the overview of
// up to 5 by 5 quads; 2, the newest, the whole map scaled into the map area.
// Callers ask the questions below, not the number, so that another view is
// added here and in the drawing only.
#pragma once

#include <cstdint>

namespace pelorn {

enum ViewMode : std::int32_t {
    kDetailView = 0,
    kOverview = 1,
    kWholeMapView = 2,
};

extern std::int32_t viewMode;

// The detail view: one quad, the status line and the legend. Only here do
// the editing tools answer clicks and keys.
inline bool showsDetailView() { return viewMode == kDetailView; }
// The overview: drawing reaches beyond the map area of the detail view.
inline bool showsOverview() { return viewMode == kOverview; }
// The whole map, fitted into the map area; a click opens a quad.
inline bool showsWholeMap() { return viewMode == kWholeMapView; }

// The next view in turn: detail, overview, detail again; from the whole map,
// the detail view.
void switchToNextView();

}  // namespace pelorn
