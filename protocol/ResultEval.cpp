#include "protocol/ResultEval.h"

ResultClassCode CResultEval::Judge() {
    m_resultClass = Classify();
    return m_resultClass;
}
