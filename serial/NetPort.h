#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A port named socket://HOST:PORT (raw TCP) or rfc2217://HOST:PORT (a telnet server that
// also sets the far line's speed and framing): a line served by a device server.
enum class NetPortKind { kRawTcp, kRfc2217 };

struct SNetPortName {
    NetPortKind kind = NetPortKind::kRawTcp;
    std::string host;
    std::uint16_t port = 0;
};

// How long connecting may take, and an RFC 2217 server to agree to port control.
constexpr int kNetConnectTimeoutMs = 5000;

// Whether the name asks for a network port at all (a scheme we know), well formed or not.
bool IsNetPortName(const std::string& name);
// The parts of a network port name; nothing for a tty path or a malformed name.
std::optional<SNetPortName> ParseNetPortName(const std::string& name);

// Connects to the named server within timeoutMs.  Answers the connected, non-blocking socket,
// or -1 with error set to an errno value (ENOENT: the host name does not resolve; EINVAL: the
// name is malformed).
int ConnectNetPort(const SNetPortName& name, int timeoutMs, int& error);
