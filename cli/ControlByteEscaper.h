#pragma once

#include <ostream>
#include <streambuf>

// Texts from parameter files and controllers are untrusted bytes: printed raw, an escape
// sequence in a model name could rewrite the operator's terminal. This buffer passes text on
// to the stream's own buffer with every control byte but line feed and tab shown as \xNN.
// JSON output is unaffected: its encoder already escapes control bytes.
class CControlByteEscaper : public std::streambuf {
  public:
    // Puts itself between `stream` and its buffer until destroyed.
    explicit CControlByteEscaper(std::ostream& stream);
    ~CControlByteEscaper() override;
    CControlByteEscaper(const CControlByteEscaper&) = delete;
    CControlByteEscaper& operator=(const CControlByteEscaper&) = delete;

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    std::ostream& m_stream;
    std::streambuf* m_target;
};
