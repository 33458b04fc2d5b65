#pragma once

#include "protocol/AtEval.h"
#include "protocol/QuadrelEval.h"

// One evaluator for each frame protocol.
struct CEvalPair {
    CQuadrelEval quadrel;
    CAtEval at;
};
