#include "ui/SettingViewModel.h"

void CSettingViewModel::Ended(EAction action, const SResult& result, const std::string& typed) {
    // Another operation was running: the action did nothing.
    if (result.code == ResultCode::kBusy) return;
    Reset();
    // A step that found nothing readable is said by the parameter shown (its unread reason).
    if (result.Ok() || action == EAction::Step) return;
    // A declined question is the operator's own choice, not a problem.
    if (result.code != ResultCode::kCancelled) m_problem = result.reason;
    if (action != EAction::Write) return;
    m_red = true;
    // A value refused unwritten stays in the entry to be corrected; any other was sent.
    if (result.code == ResultCode::kBadValue) m_keptEntry = typed;
}

void CSettingViewModel::Reset() {
    m_red = false;
    m_problem = {};
    m_keptEntry.clear();
}

SSettingViewState CSettingViewModel::State(const SShownParameter& shown, bool inWriteMode) const {
    SSettingViewState state;
    state.newValue = m_keptEntry;
    state.upEnabled = shown.hasPrevious;
    state.downEnabled = shown.hasNext;
    state.writeBoxEnabled = shown.writable;
    state.writeTicked = shown.writable && (!shown.writeModeNeeded || inWriteMode);
    state.entryRed = m_red;
    const SReason& why = m_problem.Empty() ? shown.unreadReason : m_problem;
    if (!why.Empty()) state.problem = Because(shown.currentName, why);
    return state;
}
