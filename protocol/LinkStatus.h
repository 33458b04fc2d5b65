#pragma once

#include "serial/CommStatus.h"

// Outcome of the last frame-level receive (time-outs, a frame too long, a failed line).
class CLinkStatus : public CCommStatus {};
