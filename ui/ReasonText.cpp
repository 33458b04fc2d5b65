#include "ui/ReasonText.h"

#include "app/MessageTable.h"

namespace {

std::string Worded(const SReason& reason, const CMessageTable& catalogue) {
    if (reason.id == ReasonId::kText || reason.id >= ReasonId::kCount) return reason.text;
    std::vector<std::string> values;
    values.reserve(reason.values.size());
    for (const SReason& value : reason.values) values.push_back(Worded(value, catalogue));
    const std::string sentence =
        catalogue.Get(static_cast<std::uint16_t>(kFirstReasonNumber + static_cast<int>(reason.id)));
    return FillSentence(sentence.empty() ? EnglishSentence(reason.id) : sentence, values);
}

}  // namespace

QString ReasonText(const SReason& reason, const CMessageTable& catalogue) {
    return QString::fromStdString(Worded(reason, catalogue));
}
