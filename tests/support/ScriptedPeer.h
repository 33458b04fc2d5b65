#pragma once

#include <deque>
#include <string>

#include "PtyPair.h"

// The far end of a pty line for single-threaded tests: called from a port's pump hook, it
// collects what the port sent and, once a command has come in, writes the next answer.
class ScriptedPeer {
  public:
    explicit ScriptedPeer(PtyPair& pty) : pty_(pty) {}

    // Queues bytes to write after the next command arrives.
    void Answer(std::string bytes) { answers_.push_back(std::move(bytes)); }
    void Serve();

    // Every byte the port has written so far.
    const std::string& Received() const { return received_; }

  private:
    PtyPair& pty_;
    std::deque<std::string> answers_;
    std::string received_;
};
