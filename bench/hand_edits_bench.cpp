// The hand edits on a 10 x 10-quad map (1,000,000 tiles) as the editor runs
// them, history included: a click that puts down a 1,000 x 1,000-tile stamp
// (target: 50 ms), the stamp following the pointer with the repaint it asks
// for drawn (target: 10 ms a move), and Replace Terrain over the whole map
// (target: 30 ms).
#include <benchmark/benchmark.h>

#include "editing/document.h"
#include "editing/editor.h"
#include "files/block_text.h"
#include "map/map_grid.h"
#include "view/map_view.h"
#include "view/raster_painter.h"

namespace {

using namespace pelorn;

ClientPoint tilePoint(int column, int row) { return {47 + 6 * column + 2, 76 + 4 * row + 1}; }

struct Session {
    Document document;
    Editor editor{document};

    Session() {
        replaceWithEmptyMap(document.map, 10, 10);
        // Stripes of three terrains, so that neither copy nor undo is trivial.
        for (int x = 0; x < 1000; ++x)
            for (int y = 0; y < 1000; ++y) document.map.mapGrid[x][y] = (x / 7 + y / 5) % 3 == 0 ? kSea : kPlains;
    }

    // The whole map, copied and floating as a stamp.
    void floatWholeMap() {
        editor.selectAll();
        editor.copySelection();
        editor.pasteBlockText(*editor.clipboardOut);
        editor.cancelHandEdit();  // the selection stays; the stamp goes
        editor.pasteBlockText(editor.copiedText);
    }
};

void BM_PasteClickOfAMillionTiles(benchmark::State& state) {
    Session session;
    session.floatWholeMap();
    int column = 0;
    for (auto _ : state) {
        // Each click two columns on: every tile changes.
        column = (column + 2) % 100;
        session.editor.press(tilePoint(column, 10));
        session.editor.release();
        session.editor.takeRepaints();
    }
}
BENCHMARK(BM_PasteClickOfAMillionTiles)->Unit(benchmark::kMillisecond);

void BM_StampFollowsThePointer(benchmark::State& state) {
    Session session;
    session.floatWholeMap();
    RasterPainter painter;
    int column = 0;
    for (auto _ : state) {
        column = (column + 3) % 100;
        session.editor.move(tilePoint(column, 40), false);
        std::vector<ClientRect> clip;
        for (const Repaint& r : session.editor.takeRepaints()) clip.push_back(r.rect);
        painter.setClipRects(std::move(clip));
        paintMap(painter, session.document.map, session.editor.screen, session.document.marks());
        benchmark::DoNotOptimize(painter.pixels().data());
    }
}
BENCHMARK(BM_StampFollowsThePointer)->Unit(benchmark::kMillisecond);

void BM_ReplaceTerrainOnTenByTenQuads(benchmark::State& state) {
    Session session;
    bool forth = true;
    for (auto _ : state) {
        session.editor.replaceTerrain(forth ? kSea : kLake, forth ? kLake : kSea, false);
        forth = !forth;
        session.editor.takeRepaints();
    }
}
BENCHMARK(BM_ReplaceTerrainOnTenByTenQuads)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
