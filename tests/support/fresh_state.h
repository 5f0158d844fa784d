// Every piece of process-wide state, put back as a fresh editor has it, in
// one place: tests that share the process start and end from it.
#pragma once

#include <gtest/gtest.h>

namespace pelorn::test {

// The map and its view, the editing tools, the view mode, the players-mode
// status and dialog fields, the seed shown in the status line and the
// symmetry last chosen, the undo history and its memory limit, the saved
// state and this session's recovery copy, the generator parameters and the
// random state; the terrain palette built, as start-up builds it.
void resetSharedState();

class FreshStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetSharedState(); }
    void TearDown() override { resetSharedState(); }
};

}  // namespace pelorn::test
