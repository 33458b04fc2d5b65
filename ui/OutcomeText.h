#pragma once

#include <QString>

#include "ops/SessionState.h"

class CMessageTable;

// One line that tells the operator what the last operation did: how many parameters were
// transferred, and how many were absent on the controller, failed or differed.  Empty when
// there is nothing to tell.
QString OutcomeText(const SOperationOutcome& outcome, const CMessageTable& catalogue);

// The status line after an operation that failed: which operation, and the engine's reason.
QString FailureText(SOperationOutcome::EOperation operation, const QString& reason,
                    const CMessageTable& catalogue);
