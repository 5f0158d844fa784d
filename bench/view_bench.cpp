// The main window's paints on the in-memory raster painter: drawing calls per
// paint and time, for the overview of a generated 10x10-quad world (as the
// view draws it, and tile by tile as it first did), the full detail view, and
// the repaint of one brush step (with and without leaving out the tiles
// outside the clip box).
#include <benchmark/benchmark.h>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/raster_painter.h"
#include "support/reference_view.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/view_mode.h"

namespace {

using pelorn::test::RasterPainter;

void makeWorld() {
    static bool made = false;
    if (made) return;
    pelorn::buildTerrainPalette();
    pelorn::generatorParameters = pelorn::GeneratorParameters{};
    pelorn::resetMapState();
    pelorn::quadCountX = 10;
    pelorn::quadCountY = 10;
    pelorn::seedRandom(7);
    pelorn::generateRandomMap();
    made = true;
}

// The raster painter with no clip box of its own: every tile is drawn and
// the raster clips it, as the view did before it looked at the clip box.
class WholeSurfacePainter : public RasterPainter {
public:
    pelorn::ClientRect clipBox() const override { return {0, 0, width(), height()}; }
};

template <typename Paint>
void paintLoop(benchmark::State& state, RasterPainter& raster, Paint paint) {
    long calls = 0;
    for (auto _ : state) {
        const long before = raster.calls();
        paint(raster);
        calls = raster.calls() - before;
        benchmark::DoNotOptimize(raster.pixel(100, 100));
    }
    state.counters["calls"] = static_cast<double>(calls);
}

void BM_OverviewPaint(benchmark::State& state) {
    makeWorld();
    pelorn::viewMode = 1;
    RasterPainter raster;
    paintLoop(state, raster, [](RasterPainter& r) { pelorn::paintMap(r); });
    pelorn::viewMode = 0;
}
BENCHMARK(BM_OverviewPaint)->Unit(benchmark::kMillisecond);

void BM_OverviewPaintTileByTile(benchmark::State& state) {
    makeWorld();
    RasterPainter raster;
    paintLoop(state, raster, [](RasterPainter& r) { pelorn::test::paintOverviewTileByTile(r); });
}
BENCHMARK(BM_OverviewPaintTileByTile)->Unit(benchmark::kMillisecond);

void BM_DetailPaint(benchmark::State& state) {
    makeWorld();
    pelorn::viewQuadX = 4;
    pelorn::viewQuadY = 4;
    RasterPainter raster;
    paintLoop(state, raster, [](RasterPainter& r) { pelorn::paintMap(r); });
}
BENCHMARK(BM_DetailPaint)->Unit(benchmark::kMillisecond);

// The repaint after a normal brush step: one tile's 8 by 4 pixels, drawn as
// the view draws it, or drawing every tile for the raster to clip.
template <typename Surface>
void BM_BrushStepRepaint(benchmark::State& state) {
    makeWorld();
    pelorn::viewQuadX = 4;
    pelorn::viewQuadY = 4;
    Surface raster;
    raster.setClipRects({pelorn::quadTileRect(50, 50)});
    paintLoop(state, raster, [](RasterPainter& r) { pelorn::paintMap(r); });
}
BENCHMARK_TEMPLATE(BM_BrushStepRepaint, RasterPainter)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_BrushStepRepaint, WholeSurfacePainter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
