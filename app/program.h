// The program object: everything the editor keeps for a run of the program,
// with one owner. The Win32 shell makes one at start-up and passes it down by
// reference; pelorn.exe's tests and the command table reach state through it.
#pragma once

#include "dialogs/dialog_context.h"
#include "editing/document.h"
#include "editing/editor.h"
#include "generator/parameters.h"
#include "generator/random.h"

namespace pelorn {

struct Program {
    Document document;
    Editor editor{document};
    GeneratorParameters generatorParameters;
    Random random;
    DialogMemory dialogMemory;

    DialogContext dialogContext() { return {editor, generatorParameters, random, dialogMemory}; }
};

}  // namespace pelorn
