#pragma once

#include <cstdint>
#include <string>

// Start of every at-frame: "@", the unit number and the two-character header code.
class CAtHeader {
  public:
    virtual ~CAtHeader() = default;
    // Exclusive-or of every character of the header as it stands in the frame.
    virtual uint8_t HeaderFcs() const;
    virtual int HeaderLength() const { return 5; }
    virtual std::string HeaderText() const { return AddressText(); }
    virtual bool IsValid() const = 0;

    int StartByte = 0;  // "@" once set
    int Unit = -1;      // kBroadcastNode travels as "**"
    std::string HeaderCode;

  protected:
    std::string AddressText() const;  // "@", unit and header code
    // The start byte is "@", the header code has two characters and the unit fits its field.
    bool IsAddressValid() const;
};
