#pragma once

#include <string>

// Where the communication log's lines go.  The rotating log file is the program's sink; a test
// installs its own to capture what an operation logs.
class LogSink {
  public:
    virtual ~LogSink() = default;
    // Appends `text`, which is never empty and ends in a line feed.  False on a write failure.
    virtual bool Write(const std::string& text) = 0;
};
