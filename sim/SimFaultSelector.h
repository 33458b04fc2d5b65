#pragma once

#include <cstddef>
#include <random>

#include "sim/SimCommand.h"
#include "sim/SimFaults.h"

// Decides command by command whether the faults hit it, as their scope says.
class SimFaultSelector {
  public:
    // Starts over with scope; the next command taken off the line is number commandsSoFar + 1.
    void Reset(const SimFaultScope& scope, size_t commandsSoFar);
    // Whether the faults hit command number (counted since the bus started); command is null
    // for a frame that does not read as a command (only an unfiltered scope takes those).
    bool Hits(size_t number, const SimCommand* command);

  private:
    SimFaultScope m_scope;
    size_t m_base = 0;
    size_t m_hits = 0;
    // The Mersenne twister's output is fixed by the standard, so a seed means the same faults
    // on every build.
    std::mt19937 m_draws;
};

// What a command that the scope spares still gets: the line's pace.
SimFaults SparedFaults(const SimFaults& faults);
