#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "serial/CommStatus.h"
#include "serial/ErrorReporter.h"
#include "serial/LowLatency.h"
#include "serial/NetPort.h"
#include "serial/TelnetLine.h"

// One serial device, opened exclusively as a raw line; or a line behind a device server, named
// socket://HOST:PORT (raw TCP) or rfc2217://HOST:PORT (telnet with port control).  Every operation
// answers a bool; the outcome of the last byte receive is kept in PortStatus().  ReceiveByte never
// waits for the line: waiting with a time-out is the caller's, through WaitForInput.
class CSerialPort {
  public:
    // What one read may take off the line: a few answers' worth, so that a frame that is
    // there already costs one system call, not one per byte.
    static constexpr std::size_t kReceiveBufferSize = 256;

    CSerialPort();
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Refuses an empty name, data bits outside 4..8, stop bits other than 1 or 2 and
    // parity above 2; a refused call leaves the port without a name.
    bool SetSettings(const std::string& name, std::uint32_t baudRate, std::uint16_t dataBits,
                     std::uint16_t stopBits, std::uint16_t parity);

    // Opens the named device with the stored settings.  A device that opens but cannot be
    // configured stays open (IsOpen() is true) and Open answers false.  A network port is
    // connected within kNetConnectTimeoutMs; over RFC 2217 the server sets its line instead.
    bool Open();
    bool IsOpen() const { return m_fd >= 0; }
    bool Close();

    // Writes one frame once the transmit queue has drained.  What was received stays: a frame
    // still arriving must not lose its start to a flush, and judging it is the receiver's.
    bool Send(const char* bytes, std::size_t length);
    // Makes sure the transmit queue is empty, waiting for it to drain when it is not.
    bool IsSent();
    // Hands out the next received byte; never waits.  When the bytes of the last read are used
    // up, it reads again only where that can find something: after a read that filled the
    // buffer, or after a WaitForInput (a time-out of 0 just looks) that saw the line readable.
    bool ReceiveByte(char* out);

    // Blocks until the receive queue holds something, the wake descriptor turns readable or
    // timeoutMs passes; at once while bytes read before are still to be handed out.  Answers
    // false only when the line itself failed (status kPlatformError, error reported).
    bool WaitForInput(int timeoutMs);
    // A non-blocking descriptor that turns readable when a wait should end early: a stop
    // request that came after the caller's last check and before the wait began would
    // otherwise only be seen after the whole time-out.  WaitForInput empties it on waking;
    // -1: none.
    void SetWakeDescriptor(int fd) { m_wakeFd = fd; }

    // Reports the platform's text for the current errno under context.
    void ReportError(const std::string& context);
    void SetErrorReporter(ErrorReporter reporter);

    const CCommStatus& PortStatus() const { return m_portStatus; }
    const std::string& PortName() const { return m_portName; }
    // How long one character takes on the line with the stored settings; 0 without a speed.
    std::uint32_t CharacterMicroseconds() const;
    // errno of the last failed Open (0 after a successful one): tells missing, busy
    // and permission apart.
    int OpenError() const { return m_openError; }
    // Whether the driver passes received bytes on at once since the last Open.
    LowLatencyResult LowLatency() const { return m_lowLatency; }
    // System calls made on the line since the port was made: what a receive loop costs shows
    // in measurements, not only in a trace.
    std::uint64_t SystemCalls() const { return m_systemCalls; }

  protected:
    // Called by Open only, with the settings as "baud=%ld parity=%c data=%u stop=%u".
    virtual bool Configure(const std::string& settingsText);
    // For a derived Configure: asks the driver to raise RTS only while sending; true also
    // when the driver has no such mode.
    bool EnableRtsToggle();

  private:
    struct PendingReport {
        const char* context = nullptr;
        int errorNumber = 0;
    };
    void Deliver(const PendingReport& report);
    // One read of what is queued into the emptied receive buffer.
    bool FillReceiveBuffer();
    void ClearReceiveBuffer();
    bool WriteAll(const char* bytes, std::size_t length, PendingReport& report);
    bool OpenAndConfigure();
    bool OpenNetwork(const SNetPortName& name);
    // Reads and answers the RFC 2217 server until done() holds; false when it refuses port
    // control, goes, or takes longer than kNetConnectTimeoutMs (m_openError says which).
    bool WaitForServer(const std::function<bool()>& done);
    // Telnet commands out of freshly read bytes, their answers sent; answers the data left.
    std::size_t FilterTelnet(std::size_t length, PendingReport& report);
    bool IsTty() const { return m_transport == ETransport::kTty; }

    enum class ETransport { kTty, kTcp, kTelnet };

    int m_fd = -1;
    ETransport m_transport = ETransport::kTty;
    CTelnetLine m_telnet;
    int m_wakeFd = -1;
    bool m_opening = false;
    int m_openError = 0;
    LowLatencyResult m_lowLatency = LowLatencyResult::kNotSupported;
    int m_previousSerialFlags = 0;
    std::string m_portName;
    std::uint32_t m_baudRate = 0;
    std::uint16_t m_dataBits = 0;
    std::uint16_t m_stopBits = 0;
    std::uint16_t m_parity = 0;
    std::mutex m_lock;
    std::uint64_t m_systemCalls = 0;
    std::array<char, kReceiveBufferSize> m_receiveBuffer{};
    std::size_t m_receiveNext = 0;
    std::size_t m_receiveEnd = 0;
    // False once a read found the driver's queue empty, until a wait sees the line readable.
    bool m_lineMayHaveInput = true;
    CCommStatus m_portStatus;
    ErrorReporter m_reporter = ReportToStandardError;
};
