#pragma once

#include <string>

// Frames rendered for the log.  Direction 1 is a sent frame ("SEND--> "); any other value a
// received one ("RECV--> ").  Control bytes are shown as tokens or "(0x%02X)"; the frame is taken
// up to its first zero byte, as a text.

// STX and ETX as "[STX]" and "[ETX]"; the last byte (the BCC) always in hex.  A frame that ends in
// a single ETX lost its zero BCC as a text's end, so that zero is shown too.
std::string FormatQuadrelFrame(int direction, const std::string& frame);

// The two FCS digits (fourth and third from the end) as "[FCS]"; the last byte (CR) in hex.
std::string FormatAtFrame(int direction, const std::string& frame);

// Bytes that make no frame (line noise): every one of them, zeros too; STX and ETX as tokens,
// other bytes outside printable ASCII in hex.
std::string FormatLineBytes(int direction, const std::string& bytes);
