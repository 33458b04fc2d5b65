#include "app/Reason.h"

namespace {

constexpr bool SentencesInIdOrder() {
    for (std::size_t i = 0; i < kReasonEnglish.size(); ++i)
        if (kReasonEnglish[i].id != static_cast<ReasonId>(i)) return false;
    return true;
}
static_assert(SentencesInIdOrder(),
              "kReasonEnglish must list the reasons in the order of ReasonId");

}  // namespace

std::string FillSentence(std::string_view sentence, const std::vector<std::string>& values) {
    std::string filled;
    filled.reserve(sentence.size());
    for (size_t i = 0; i < sentence.size(); ++i) {
        const size_t index =
            i + 1 < sentence.size() ? static_cast<size_t>(sentence[i + 1] - '1') : 9;
        if (sentence[i] == '%' && index < 9 && index < values.size()) {
            filled += values[index];
            ++i;
        } else {
            filled += sentence[i];
        }
    }
    return filled;
}

std::string Worded(const SReason& reason, const std::function<std::string(ReasonId)>& sentence) {
    if (reason.id == ReasonId::kText || reason.id >= ReasonId::kCount) return reason.text;
    std::vector<std::string> values;
    values.reserve(reason.values.size());
    for (const SReason& value : reason.values) values.push_back(Worded(value, sentence));
    return FillSentence(sentence(reason.id), values);
}

std::string English(const SReason& reason) {
    return Worded(reason, [](ReasonId id) { return std::string(EnglishSentence(id)); });
}

SReason Because(SReason what, const SReason& why) {
    if (why.Empty()) return what;
    return Reason<ReasonId::kBecause>(std::move(what), why);
}
