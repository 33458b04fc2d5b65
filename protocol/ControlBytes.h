#pragma once

// Control bytes that delimit the two frame kinds on the line.
constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kCr = 0x0D;
constexpr char kAtStart = '@';
constexpr char kAtEndMark = '*';

// The node and unit number that stands for "every unit" ("XX" / "**" on the line).
constexpr int kBroadcastNode = 999;
