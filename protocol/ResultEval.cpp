#include "protocol/ResultEval.h"

int CResultEval::Judge() {
    retryFlag_ = 0;
    resultClass_ = Classify();
    if (resultClass_ != ResultClassCode::kSuccess) retryFlag_ = RetryAllowed(resultClass_) ? 1 : 0;
    return resultClass_;
}
