#pragma once

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/FrameAssembler.h"
#include "sim/SimCounts.h"
#include "sim/SimFaultSelector.h"
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

    // The device clients open; a line that comes back after vanishing may have a new one.
    std::string SlavePath() const;
    std::string Error() const;
    // False once stopped, or while the line is gone on a fault.
    bool Running() const;
    // Waits until the line is up (or gone, for up false).
    bool WaitForLine(bool up, std::chrono::milliseconds timeout) const;

    // Puts a unit on the line; a null responder takes it off (it then never answers).
    void SetResponder(int unit, std::shared_ptr<SimResponder> responder);
    void SetFaults(const SimFaults& faults);
    // The faults in force; SilentCommands counts down as commands go unanswered. Setting them
    // starts the count of their scope and of VanishAfterCommands over.
    SimFaults Faults() const;
    // What was injected since the bus was made.
    SimCounts Counts() const;

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

    // An answer held back by LateMs, with the faults that shape its bytes.
    struct LateAnswer {
        Clock::time_point Due;
        std::string Bytes;
        SimFaults Faults;
    };

    void Run();
    void ReadLine(FrameAssembler& assembler);
    void Handle(const FrameAssembler::Frame& frame, const SimFaults& configured);
    // Chooses the unit and its answer, noise in front; nothing when the line stays silent.
    std::optional<std::string> Answer(const ReceivedCommand& received, const SimFaults& faults,
                                      SimCounts& counts);
    // Sends an answer now, after its delay or, when it is late, once it is due.
    void Deliver(const std::string& answer, const SimFaults& faults, SimCounts& counts);
    void Send(std::string_view answer, const SimFaults& faults);
    void SendDueAnswers();
    // How long poll may block before the next late answer is due; null: no limit.
    std::optional<timespec> UntilNextDue() const;
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
    // Waits ReturnAfterMs and opens the line again at the same link; false when it stays gone.
    bool Return();

    SimPty m_pty;
    std::string m_linkPath;
    std::vector<LateAnswer> m_late;  // the bus thread's own
    std::string m_error;
    std::string m_slavePath;
    std::thread m_thread;
    int m_wake[2] = {-1, -1};

    mutable std::mutex m_lock;
    mutable std::condition_variable m_handled;
    bool m_stopping = false;
    bool m_running = false;
    bool m_garbageActive = false;
    SimFaults m_faults;
    int m_silentRemaining = 0;
    size_t m_vanishAt = 0;  // command number after which the line closes; 0: never
    SimFaultSelector m_selector;
    SimCounts m_counts;
    Clock::time_point m_goneSince;
    int m_returnAfterMs = -1;  // as the faults said when the line went
    std::map<int, std::shared_ptr<SimResponder>> m_units;
    size_t m_commandsTaken = 0;
    size_t m_commandsDone = 0;
    std::string m_lastCommand;
};
