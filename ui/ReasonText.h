#pragma once

#include <QString>

#include "app/Reason.h"

class CMessageTable;

// The engine's reason in the catalogue's words, each value worded in turn; a value that is
// foreign text (a path, what came back, the system's words) stays as it is.  A reason the
// catalogue lacks is said in English, so that an older catalogue keeps working.
QString ReasonText(const SReason& reason, const CMessageTable& catalogue);
