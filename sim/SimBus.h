#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "sim/FrameAssembler.h"
#include "sim/SimFaults.h"
#include "sim/SimPty.h"
#include "sim/SimReplyFrame.h"
#include "sim/SimResponder.h"

// A line of simulated units on a pseudo-terminal, served by a thread of its own. Clients
// open SlavePath() like any serial device. Units, responders and faults can be changed
// while the bus runs.
class SimBus {
  public:
    SimBus() = default;
    ~SimBus() { Stop(); }
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    // Opens the line (and the symbolic link linkPath when not empty) and starts serving.
    // On failure Error() says why.
    bool Start(const std::string& linkPath = "");
    // Stops serving and closes the line: clients see the far end gone.
    void Stop();

    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    const std::string& Error() const { return m_error; }
    // False once stopped, or once the line vanished on a fault.
    bool Running() const;

    // Puts a unit on the line; a null responder takes it off (it then never answers).
    void SetResponder(int unit, std::shared_ptr<SimResponder> responder);
    void SetFaults(const SimFaults& faults);
    // The faults in force; SilentCommands counts down as commands go unanswered.
    SimFaults Faults() const;

    // Command frames taken off the line, answered or not. A command counts before its echo
    // or answer goes out, so a client holding an answer always finds its command counted.
    size_t CommandsHandled() const;
    // Waits until at least count command frames have been taken off the line and dealt with
    // completely (echoes and answer written, or the answer left out).
    bool WaitForCommands(size_t count, std::chrono::milliseconds timeout) const;
    // The bytes of the last command frame taken off the line.
    std::string LastCommand() const;

  private:
    using Clock = std::chrono::steady_clock;

    void Run();
    void ReadLine(FrameAssembler& assembler);
    void Handle(const FrameAssembler::Frame& frame, const SimFaults& faults);
    // Chooses the unit and its answer; nothing when the line stays silent.
    std::optional<std::string> Answer(const ReceivedCommand& received, const SimFaults& faults);
    void StreamGarbage();
    // Writes bytes, paced when the faults ask for it; stops early after limit bytes.
    bool Write(std::string_view bytes, const SimFaults& faults);
    bool WriteNow(std::string_view bytes);
    // Sleeps until deadline unless the bus stops first (then false).
    bool WaitUntil(Clock::time_point deadline);
    void Wake();
    void DrainWake();
    bool Stopping() const;
    void Vanish();

    SimPty m_pty;
    std::string m_error;
    std::thread m_thread;
    int m_wake[2] = {-1, -1};

    mutable std::mutex m_lock;
    mutable std::condition_variable m_handled;
    bool m_stopping = false;
    bool m_running = false;
    bool m_garbageActive = false;
    SimFaults m_faults;
    int m_silentRemaining = 0;
    std::map<int, std::shared_ptr<SimResponder>> m_units;
    size_t m_commandsTaken = 0;
    size_t m_commandsDone = 0;
    std::string m_lastCommand;
};
