#pragma once

#include "ops/DeviceSession.h"

// The commands that put a controller back as it was found: the download's after routine, the
// write-mode leave lists and the DisConnect routine.  The stop request that ended a walk must
// not end them too, or the controller stays stopped and in write mode: while they run only a
// second request stops them (Interrupted), at once.
class CRestoreScope {
  public:
    explicit CRestoreScope(CDeviceSession& session)
        : m_session(session), m_restoringBefore(session.m_restoring) {
        m_session.m_restoring = true;
    }
    ~CRestoreScope() { m_session.m_restoring = m_restoringBefore; }
    CRestoreScope(const CRestoreScope&) = delete;
    CRestoreScope& operator=(const CRestoreScope&) = delete;

    bool Interrupted() const { return m_session.m_stopRequests >= 2; }

  private:
    CDeviceSession& m_session;
    bool m_restoringBefore;
};
