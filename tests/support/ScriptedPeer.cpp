#include "ScriptedPeer.h"

void ScriptedPeer::Serve() {
    const std::string incoming = m_pty.Read(4096, 0);
    m_received += incoming;
    if (incoming.empty() || m_answers.empty()) return;
    m_pty.Write(m_answers.front());
    m_answers.pop_front();
}
