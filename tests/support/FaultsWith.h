#pragma once

#include "sim/SimFaults.h"

// Simulator faults with one change applied, so that a table of cases names each fault in a line.
template <class Change>
SimFaults FaultsWith(Change change) {
    SimFaults faults;
    change(faults);
    return faults;
}
