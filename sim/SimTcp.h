#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

// The bus served over TCP on 127.0.0.1, as a device server serves a serial line: one client
// at a time, its bytes relayed to and from the bus's pty.  When the line goes (the bus
// vanished or stopped) the client's connection is closed; a client that leaves frees the line.
class SimTcpLine {
  public:
    SimTcpLine() = default;
    ~SimTcpLine() { Stop(); }
    SimTcpLine(const SimTcpLine&) = delete;
    SimTcpLine& operator=(const SimTcpLine&) = delete;

    // Listens on port (0: any free one) and serves the device linePath() names at each
    // connection: after vanishing, the bus may come back on another.
    bool Start(std::uint16_t port, std::function<std::string()> linePath, std::string& error);
    void Stop();
    std::uint16_t Port() const { return m_port; }

  private:
    void Run();
    void Accept();
    void Drop();
    // Moves what one side has to the other; false when either side is gone.
    bool Relay(int from, int to);

    std::function<std::string()> m_linePath;
    std::thread m_thread;
    int m_listen = -1;
    int m_client = -1;
    int m_line = -1;
    int m_wake[2] = {-1, -1};
    std::uint16_t m_port = 0;
};
