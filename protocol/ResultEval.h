#pragma once

// Result classes of one command exchange; the numbers are the ones the log and vexa-cli show.
enum class ResultClassCode : int {
    kNotEvaluated = -128,
    kSuccess = 0,
    kNoFrame = 1,  // none, cut short, or naming the command in other letter case
    kBccMismatch = 2,
    kRejected = 5,      // Quadrel end code 0x0F, or a non-zero response code
    kEndCodeError = 6,  // any other Quadrel end code
    kFcsMismatch = 7,
    kAtEndCodeError = 8,  // at-frame end code other than 0, "IC" included
    kTimedOut = 9,
};

inline int ResultClassNumber(ResultClassCode code) { return static_cast<int>(code); }

// Judges one exchange into a result class; every failure may be tried again.
class CResultEval {
  public:
    virtual ~CResultEval() = default;
    virtual ResultClassCode Classify() = 0;

    ResultClassCode ResultClass() const { return m_resultClass; }
    int EndCode() const { return m_endCode; }

  protected:
    // The common tail of Evaluate.
    ResultClassCode Judge();

    int m_endCode = 0;

  private:
    ResultClassCode m_resultClass = ResultClassCode::kNotEvaluated;
};
