#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/Deadline.h"
#include "protocol/LinkStatus.h"
#include "serial/SerialPort.h"

class CAtExchange;
class CQuadrelExchange;

// A serial port that sends a command frame and receives the response frame with a
// time-out per byte.  While it waits it blocks in poll(): with a pump hook for short slices,
// calling the hook between them so that a window stays responsive; without one for the whole
// time left.
class CFramePort : public CSerialPort {
  public:
    // (1, 1) before a command is written, (1, 0) after; (0, 1) when a receive begins,
    // (0, 0) after every received byte.
    using ActivityHook = std::function<void(int sending, int starting)>;
    using AttemptHook = std::function<void()>;
    using PumpHook = std::function<void()>;
    // Answers true once the operator asked to stop; every wait for a byte asks it.
    using CancelCheck = std::function<bool()>;

    // Room for one frame; a line that sends more without a frame end is cut off.  Noise skipped
    // before the frame's start byte counts too, so that endless garbage ends all the same.
    static constexpr std::size_t kFrameBufferSize = 2048;
    // The longest single block in poll() between two calls of the pump hook.
    static constexpr int kPollSliceMs = 5;

    CFramePort() = default;

    void SetActivityHook(ActivityHook hook) { m_activityHook = std::move(hook); }
    void SetAttemptHook(AttemptHook hook) { m_attemptHook = std::move(hook); }
    void SetPumpHook(PumpHook hook) { m_pumpHook = std::move(hook); }
    void SetCancelCheck(CancelCheck check) { m_cancelCheck = std::move(check); }
    bool StopRequested() const { return m_cancelCheck && m_cancelCheck(); }
    void SetClock(const MillisecondClock& clock) { m_clock = &clock; }
    // The operator's wait for every command of the models' tables and scripts, in place of
    // their own (see ApplyWaitOverride); 0: theirs.
    struct SWaitOverride {
        std::uint16_t timeoutMs = 0;  // per byte
        std::int32_t attempts = 0;
    };
    void SetWaitOverride(SWaitOverride wait) { m_waitOverride = wait; }
    const SWaitOverride& WaitOverride() const { return m_waitOverride; }
    // For callers that loop over attempts; the port itself never calls it.
    void CallAttemptHook() const {
        if (m_attemptHook) m_attemptHook();
    }

    virtual void ResetFrameMode();
    // The end-of-frame rule of the protocol being served; never complete when none is.
    virtual bool IsFrameComplete(std::string_view received) const;

    // Waits up to timeoutMs for one byte.  A time-out of 0 answers false without reading; a
    // stop request ends the wait at once (status kCancelled).
    bool ReceiveByteTimed(char* out, std::uint32_t timeoutMs);
    // Receives bytes until the end-of-frame rule holds; timeoutMs applies to every byte.  Bytes
    // before the protocol's start byte (STX, "@") are line noise, set aside (Discarded()); they
    // do not restart the wait for the frame, which counts from the call.
    bool ReceiveFrame(std::string* frame, std::uint32_t timeoutMs);
    // Sends text and takes the response frame into exchange, skipping one echo of the
    // command and every answer to another command (kept in StaleAnswers()) as long as the
    // time-out, counted from the send, lasts.  What the line held before the command went out
    // is read and set aside first, a frame still arriving once it ended.  The exchange's
    // response is cleared first, even when nothing is sent.
    bool TransactQuadrel(std::string_view text, CQuadrelExchange* exchange,
                         std::uint32_t timeoutMs);
    bool TransactAt(std::string_view text, CAtExchange* exchange, std::uint32_t timeoutMs);

    const CLinkStatus& LinkStatus() const { return m_linkStatus; }
    // Of the last transact: the bytes of the frame taken in (or of the attempt to take one,
    // cut off where the receive ended; the echo when nothing followed it), whether the command
    // came back as an echo with nothing after it, and the answers discarded as stale.
    const std::string& ReceivedBytes() const { return m_receivedBytes; }
    bool OnlyEchoCameBack() const { return m_onlyEcho; }
    const std::vector<std::string>& StaleAnswers() const { return m_staleAnswers; }
    // Everything the last transact set aside, in the order it came: whole frames that were no
    // answer to its command (the stale answers above, and those on the line before the
    // command went out), and line noise (bytes outside any frame, or a frame cut short).
    struct SDiscarded {
        bool wholeFrame = false;
        bool afterSend = false;  // arrived once the command had gone out
        std::string bytes;
    };
    const std::vector<SDiscarded>& Discarded() const { return m_discarded; }
    // Whether the line itself failed in the last receive: the device is gone or unusable.
    bool LineLost() const;

  protected:
    // The line set-up of every port that talks to controllers: raw, plus RTS raised
    // only while sending where the driver can do it.
    bool Configure(const std::string& settingsText) override;

  private:
    template <class Exchange>
    bool Transact(std::string_view text, Exchange& exchange, std::uint32_t timeoutMs);
    // The answer to text: skips one echo and stale answers while answerBy lasts.
    bool ReceiveAnswer(std::string_view text, std::uint32_t timeoutMs, const Deadline& answerBy);
    bool ReceiveFrameWithin(std::string* frame, std::uint32_t firstByteMs, std::uint32_t byteMs);
    // The byte every frame of the protocol being served starts with.
    std::optional<char> FrameStart() const;
    // Reads what is on the line before a command goes out and sets it aside; false when the
    // line failed.
    bool SetAsideLeftovers();
    bool ReadLeftovers(std::string& leftovers);
    void SetAside(std::string bytes, bool wholeFrame);
    void Activity(int sending, int starting) const {
        if (m_activityHook) m_activityHook(sending, starting);
    }

    CLinkStatus m_linkStatus;
    CQuadrelExchange* m_quadrel = nullptr;
    CAtExchange* m_at = nullptr;
    ActivityHook m_activityHook;
    AttemptHook m_attemptHook;
    PumpHook m_pumpHook;
    CancelCheck m_cancelCheck;
    std::string m_receivedBytes;
    bool m_onlyEcho = false;
    bool m_commandSent = false;
    std::vector<std::string> m_staleAnswers;
    std::vector<SDiscarded> m_discarded;
    SWaitOverride m_waitOverride;
    const MillisecondClock* m_clock = &SteadyClock::Instance();
};
