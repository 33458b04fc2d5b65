#pragma once

#include <string>

#include "app/Result.h"
#include "ops/SessionState.h"

// What the setting view's widgets show and allow: the parameter as the controller answered for
// it, with what the operator's last action there came to.
struct SSettingViewState {
    std::string newValue;  // what the value entry holds
    bool upEnabled = false;
    bool downEnabled = false;
    bool writeBoxEnabled = false;
    // The controller takes a written value of this parameter now: the "Write" box is ticked
    // and the value entry open.
    bool writeTicked = false;
    bool entryRed = false;  // the last value typed was refused, not written or not read back
    // "name: why" the value is missing or the last action failed; empty when all went well.
    SReason problem;
};

// The setting view's rules, kept from the session's results so that the session holds no
// widget state and the rules are checked without a screen.
class CSettingViewModel {
  public:
    enum class EAction { Step, WriteMode, Write };

    // How the operator's action ended; `typed` is the value a Write was given.
    void Ended(EAction action, const SResult& result, const std::string& typed = {});
    // A connection, a view switch or a whole-set operation: the last action is done with.
    void Reset();

    SSettingViewState State(const SShownParameter& shown, bool inWriteMode) const;

  private:
    bool m_red = false;
    SReason m_problem;
    std::string m_keptEntry;
};
