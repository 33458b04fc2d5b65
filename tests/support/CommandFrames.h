#pragma once

#include <cstdint>
#include <string>

#include "protocol/AtExchange.h"
#include "protocol/QuadrelExchange.h"

// Command frames as a client sends them, for tests that talk to the simulator directly.
inline std::string QuadrelCommand(int node, uint16_t code, const std::string& data = "") {
    CQuadrelExchange exchange;
    exchange.Build(node, code, data);
    return exchange.CommandText();
}

inline std::string AtCommand(int unit, const std::string& text) {
    CAtExchange exchange;
    exchange.Build(unit, text);
    return exchange.CommandText();
}
