#pragma once

#include "support/TempFolder.h"

// Writes a program folder's files for the test model "TS01": "VEXA.cap", the script,
// the model index and the parameter table "TS01.prm".  TestController plays it.
//
// Parameters: 1 Set point, 2 Alarm type, 3 Alarm value (exists when the alarm type is
// not 0), 4 Input type (write mode 1), 5 Firmware (display only), 6 Decimal value
// (scale 10 from its routine).
void WriteTestModel(const TempFolder& folder);
