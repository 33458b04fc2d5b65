#include "protocol/ResultEval.h"

int CResultEval::Judge() {
    m_retryFlag = 0;
    m_resultClass = Classify();
    if (m_resultClass != ResultClassCode::kSuccess)
        m_retryFlag = RetryAllowed(m_resultClass) ? 1 : 0;
    return m_resultClass;
}
