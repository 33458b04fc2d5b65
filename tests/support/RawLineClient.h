#pragma once

#include <string>

// A client of a serial line that opens the device itself, raw, without the engine's port:
// for tests of the far end (the simulator) at the byte level.
class RawLineClient {
  public:
    explicit RawLineClient(const std::string& devicePath);
    ~RawLineClient();
    RawLineClient(const RawLineClient&) = delete;
    RawLineClient& operator=(const RawLineClient&) = delete;

    void Send(const std::string& bytes);
    // Reads until a whole frame of the kind its first byte names has come, or until waitMs
    // passed without a byte; answers what came.
    std::string ReadFrame(int waitMs = 2000);
    // Reads until count bytes have come or waitMs passed without a byte.
    std::string Read(size_t count, int waitMs = 2000);

  private:
    int m_fd = -1;
};
