#pragma once

#include <deque>
#include <string>

#include "PtyPair.h"

// The far end of a pty line for single-threaded tests: called from a port's pump hook, it
// collects what the port sent and, once a command has come in, writes the next answer.
class ScriptedPeer {
  public:
    explicit ScriptedPeer(PtyPair& pty) : m_pty(pty) {}

    // Queues bytes to write after the next command arrives.
    void Answer(std::string bytes) { m_answers.push_back(std::move(bytes)); }
    void Serve();

    // Every byte the port has written so far.
    const std::string& Received() const { return m_received; }

  private:
    PtyPair& m_pty;
    std::deque<std::string> m_answers;
    std::string m_received;
};
