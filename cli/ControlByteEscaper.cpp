#include "cli/ControlByteEscaper.h"

#include <cstdio>

CControlByteEscaper::CControlByteEscaper(std::ostream& stream)
    : m_stream(stream), m_target(stream.rdbuf(this)) {}

CControlByteEscaper::~CControlByteEscaper() {
    m_stream.flush();
    m_stream.rdbuf(m_target);
}

CControlByteEscaper::int_type CControlByteEscaper::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const auto byte = static_cast<unsigned char>(traits_type::to_char_type(c));
    if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        return m_target->sputn(escaped, 4) == 4 ? c : traits_type::eof();
    }
    return traits_type::eq_int_type(m_target->sputc(static_cast<char>(byte)), traits_type::eof())
               ? traits_type::eof()
               : c;
}

int CControlByteEscaper::sync() { return m_target->pubsync(); }
