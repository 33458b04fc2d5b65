#include "ui/ReasonText.h"

#include "app/MessageTable.h"

QString ReasonText(const SReason& reason, const CMessageTable& catalogue) {
    // A catalogue without the sentence still says it, in English.
    return QString::fromStdString(Worded(reason, [&catalogue](ReasonId id) {
        const std::string sentence =
            catalogue.Get(static_cast<std::uint16_t>(kFirstReasonNumber + static_cast<int>(id)));
        return sentence.empty() ? std::string(EnglishSentence(id)) : sentence;
    }));
}
