#pragma once

#include "ops/DeviceSession.h"

// One operation of the session.  On leaving, input that queued up meanwhile is
// pumped while the session still reports busy, so that it reaches handlers that
// ignore it instead of starting a second operation.
class CBusyScope {
  public:
    explicit CBusyScope(CDeviceSession& session) : m_session(session) {
        m_session.m_busy = true;
        m_session.m_stopRequests = 0;
        m_session.m_lineLostAt = {};
        m_session.m_connectionLost = {};
        m_session.m_ui.BusyChanged(true);
    }
    ~CBusyScope() {
        m_session.DropLostConnection();
        m_session.m_ui.PumpEvents();
        m_session.m_busy = false;
        m_session.m_ui.BusyChanged(false);
    }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

  private:
    CDeviceSession& m_session;
};
