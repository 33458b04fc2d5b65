#include "protocol/ResultEval.h"

ResultClassCode CResultEval::Judge() {
    m_retryFlag = false;
    m_resultClass = Classify();
    if (m_resultClass != ResultClassCode::kSuccess) m_retryFlag = RetryAllowed(m_resultClass);
    return m_resultClass;
}
