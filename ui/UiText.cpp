#include "ui/UiText.h"

#include "app/MessageTable.h"

QString UiText(const CMessageTable& catalogue, std::uint16_t number, const QStringList& values) {
    std::vector<std::string> filled;
    filled.reserve(static_cast<size_t>(values.size()));
    for (const QString& value : values) filled.push_back(value.toStdString());
    return QString::fromStdString(catalogue.Format(number, filled));
}

QString UiTextOr(const CMessageTable& catalogue, std::uint16_t number, std::uint16_t otherwise) {
    const QString text = UiText(catalogue, number);
    return text.isEmpty() ? UiText(catalogue, otherwise) : text;
}
