#include "view/view.h"

#include "view/layout.h"
#include "view/screen.h"
#include "view/view_mode.h"

namespace pelorn {

// Each defined in the view's own file.
const View& detailView();
const View& overview();
const View& wholeMapView();

namespace {

// What a stray viewMode shows: the caption alone.
class NoView : public View {
public:
    void paint(Painter&, const Map&, const Screen&, const ClientRect&) const override {}
    ViewHit hitTest(const Map&, const Screen&, ClientPoint) const override { return {}; }
    void repaintTiles(Repaints& repaints, bool erase) const override { repaints.rect(kMapAreaRect, erase); }
    std::string statusTextAt(const Map&, const Screen&, ClientPoint) const override { return std::string(); }
};

struct ViewEntry {
    std::int32_t mode;
    const View& (*view)();
};

// The views by their numbers.
constexpr ViewEntry kViews[] = {
    {kDetailView, detailView},
    {kOverview, overview},
    {kWholeMapView, wholeMapView},
};

}  // namespace

const View& viewFor(std::int32_t viewMode) {
    for (const ViewEntry& entry : kViews)
        if (entry.mode == viewMode) return entry.view();
    static const NoView none;
    return none;
}

const View& currentView(const Screen& screen) { return viewFor(screen.viewMode); }

}  // namespace pelorn
