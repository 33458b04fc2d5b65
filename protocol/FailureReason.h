#pragma once

#include <cstdint>
#include <string>

#include "app/Reason.h"

class CCommTransaction;

// What came back in a failed exchange, as a reason for the operator: "answered with a bad check
// byte", "answered with end code 0F", "answered with response code 1001", "only its own
// command came back", "2048 bytes without a frame end", "no answer within 5000 ms", or that
// the line was lost or the wait stopped.  Empty after a successful exchange.
SReason DescribeFailure(const CCommTransaction& transaction, std::uint16_t timeoutMs);
