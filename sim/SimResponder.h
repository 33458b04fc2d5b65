#pragma once

#include <optional>

#include "sim/SimCommand.h"

// The behaviour of one simulated unit: gets every well-formed command addressed to it and
// decides the answer. Called on the bus thread only.
class SimResponder {
  public:
    virtual ~SimResponder() = default;
    // Nothing means the unit stays silent.
    virtual std::optional<SimReply> Respond(const SimCommand& command) = 0;
};
