#pragma once

// Result classes of one command exchange.
namespace ResultClassCode {
constexpr int kNotEvaluated = -128;
constexpr int kSuccess = 0;
constexpr int kNoFrame = 1;
constexpr int kBccMismatch = 2;
constexpr int kRejected = 5;      // Quadrel end code 0x0F, or a non-zero response code
constexpr int kEndCodeError = 6;  // any other Quadrel end code
constexpr int kFcsMismatch = 7;
constexpr int kAtEndCodeError = 8;  // at-frame end code other than 0, "IC" included
constexpr int kTimedOut = 9;
}  // namespace ResultClassCode

// Judges one exchange into a result class and says whether a retry may help.
class CResultEval {
  public:
    virtual ~CResultEval() = default;
    virtual int RetryFlag() const { return m_retryFlag; }
    virtual int Classify() = 0;
    virtual bool RetryAllowed(int resultClass) const = 0;

    int ResultClass() const { return m_resultClass; }
    int EndCode() const { return m_endCode; }

  protected:
    // The common tail of Evaluate: classify, then decide on a retry.
    int Judge();

    int m_endCode = 0;

  private:
    int m_resultClass = ResultClassCode::kNotEvaluated;
    int m_retryFlag = 0;
};
