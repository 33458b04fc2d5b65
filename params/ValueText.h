#pragma once

#include <cstdint>
#include <string>

#include "app/Reason.h"

// Checking an operator's value text against the form of the parameter it is meant for, before
// anything is written: a value the field cannot carry must be refused, not silently turned into
// another one (text into 0, a too large value into its low digits).

struct SValueForm {
    uint16_t format = 0;  // the write command's value format
    int hexDigits = 4;    // digits of a hexadecimal field
    int places = 0;       // decimals the scale gives
    char separator = '.';
};

// Why `text` cannot be written into a parameter of this form; empty when it can. A number is an
// optional sign and digits with at most one separator; decimals beyond the form's are cut when
// written, as ever, so they are no reason to refuse.
SReason ValueTextProblem(const std::string& text, const SValueForm& form);

// Why `text` is no set value that a write command of `hexDigits` digits carries; empty when it
// is. Set values are what a parameter file holds: the controller's reading as a plain decimal
// integer (an optional sign and digits, nothing else), written back as that many hexadecimal
// digits. Anything else would be read as another number and written unannounced.
SReason SetValueTextProblem(const std::string& text, int hexDigits);
