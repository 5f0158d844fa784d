// A program of a test's own: its document, editor, generator state and dialog
// memory, as the shell holds them. The names the program has always used are
// references to their owners' members, so that a test reads as the program
// does; the repaints a step asked for are read from the editor.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/program.h"
#include "support/repaint_list.h"
#include "support/state_names.h"
#include "support/test_map.h"

namespace pelorn::test {

struct ProgramHolder {
    Program program;
};

class ProgramTest : public testing::Test, protected ProgramHolder, protected MapNames, protected ScreenNames {
protected:
    ProgramTest() : MapNames(program.document.map), ScreenNames(program.editor.screen) {}

    Editor& editor = program.editor;
    Document& document = program.document;
    Map& map = program.document.map;
    Screen& screen = program.editor.screen;
    DialogContext context{program.editor, program.generatorParameters, program.random, program.dialogMemory};

    bool& leftButtonDown = editor.leftButtonDown;
    GeneratorParameters& generatorParameters = program.generatorParameters;
    Random& random = program.random;

    // A map of quadsX by quadsY quads with every tile `fill`, seen from quad (0, 0).
    void makeMap(int quadsX, int quadsY, TerrainCode fill = kVoid) {
        ASSERT_TRUE(makeTestMap(map, quadsX, quadsY, fill));
        viewQuadX = 0;
        viewQuadY = 0;
    }
    std::vector<TerrainCode> tiles() const { return mapTiles(map); }

    // The repaints asked for since the last call: those of the caption (the
    // state of the map's file, which its own tests check) apart from the others.
    struct Taken {
        std::vector<Repaint> others;
        std::vector<Repaint> caption;
    };
    Taken takeRepaints() {
        Taken taken;
        for (const Repaint& r : editor.takeRepaints()) (isCaptionRepaint(r) ? taken.caption : taken.others).push_back(r);
        return taken;
    }
};

}  // namespace pelorn::test
