#pragma once

#include <cstdint>
#include <string>

// Codes of stored routine lines: the statements 1..24 plus the structural lines.
enum StatementCode : int32_t {
    kCodeUnset = -128,
    kCodeBegin = 0,
    kCodeCommTypeRead = 1,
    kCodeCommRead = 2,
    kCodeCommWrite = 3,
    kCodeIsCmdOk = 4,
    kCodeJmp = 5,
    kCodeStoNum = 6,
    kCodeNumToS = 7,
    kCodeStore = 8,
    kCodeAdd = 9,
    kCodeSub = 10,
    kCodeMul = 11,
    kCodeDiv = 12,
    kCodeShl = 13,
    kCodeShr = 14,
    kCodeAnd = 15,
    kCodeOr = 16,
    kCodeXor = 17,
    kCodeNot = 18,
    kCodeIf = 19,
    kCodeSLeft = 20,
    kCodeSRight = 21,
    kCodeSMid = 22,
    kCodeSJoin = 23,
    kCodeRet = 24,
    kCodeLabel = 25,
    kCodeEnd = 26,
};

// The statement keywords, matched without regard to case, with their operand counts.
class CKeywordTable {
  public:
    // The statement code of a keyword, or kCodeUnset (-128).
    int32_t Lookup(const std::string& keyword) const;
    // The number of operands a statement takes; -1 when no operand list is valid (COMMWRITE).
    int32_t OperandCount(int32_t code) const;
};
