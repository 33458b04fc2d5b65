#include "ScriptedPeer.h"

void ScriptedPeer::Serve() {
    const std::string incoming = pty_.Read(4096, 0);
    received_ += incoming;
    if (incoming.empty() || answers_.empty()) return;
    pty_.Write(answers_.front());
    answers_.pop_front();
}
