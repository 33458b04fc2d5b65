#pragma once

#include <string>

#include "app/Result.h"

// Why a serial device could not be opened, in words an operator can act on: from the errno of
// the failed open (0: it opened but could not be set up for the line settings).
SResult DescribeOpenFailure(const std::string& portName, int openError);
