#pragma once

#include <string>

// A pseudo-terminal whose slave side a port under test opens by path, while the test
// plays the far end of the line on the master side.
class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return m_slavePath; }

    // Writes every byte to the line.
    void Write(const std::string& bytes);
    // Reads from the line until count bytes came or waitMs passed without a byte.
    std::string Read(std::size_t count, int waitMs = 2000);
    // The far end goes away: the slave side is hung up.
    void CloseMaster();

  private:
    int m_master = -1;
    std::string m_slavePath;
};

// Reads from the descriptor until count bytes came or waitMs passed without a byte; a pty slave
// reads EOF or EIO once its master is gone, which ends the read too.
std::string ReadWithin(int fd, std::size_t count, int waitMs);
