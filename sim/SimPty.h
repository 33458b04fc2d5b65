#pragma once

#include <string>

// The controller end of a pseudo-terminal. The sim keeps its own slave descriptor open so
// that the line survives clients coming and going (the master would read EIO otherwise).
class SimPty {
  public:
    SimPty() = default;
    ~SimPty() { Close(); }
    SimPty(const SimPty&) = delete;
    SimPty& operator=(const SimPty&) = delete;

    // Creates the pair with a raw slave line and a non-blocking master.
    bool Open(std::string& error);
    // Points linkPath at the slave. An existing symbolic link is replaced; any other file
    // there is left alone and refused.
    bool MakeLink(const std::string& linkPath, std::string& error);
    // Hangs the line up for every client and removes the link.
    void Close();

    // Bytes written to the line that no client has read yet.
    int PendingForClient() const;

    int MasterFd() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
};
