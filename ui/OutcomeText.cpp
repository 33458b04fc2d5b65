#include "ui/OutcomeText.h"

#include <QStringList>

#include "ui/UiText.h"

namespace {

using namespace UiTextNumber;

// "<what>: <first count>" and every further count that is not zero.
QString Counts(const CMessageTable& c, const QString& what, const SOperationOutcome& o,
               std::uint16_t firstCount) {
    QStringList parts{UiText(c, firstCount, {QString::number(o.transferred)})};
    const std::pair<int, std::uint16_t> further[] = {{o.differs, kCountDiffer},
                                                     {o.notInSet, kCountNotInSet},
                                                     {o.absent, kCountAbsent},
                                                     {o.failed, kCountFailed}};
    for (const auto& [count, number] : further)
        if (count) parts << UiText(c, number, {QString::number(count)});
    return what + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

}  // namespace

QString OutcomeText(const SOperationOutcome& o, const CMessageTable& c) {
    using E = SOperationOutcome::EOperation;
    const QString path = QString::fromStdString(o.path);
    const QString unit = QString::number(o.unit);
    const QString transferred = QString::number(o.transferred);
    switch (o.operation) {
        case E::None:
            break;
        case E::Upload:
            return Counts(c, UiText(c, o.canceled ? kUploadCanceled : kUpload), o, kCountRead);
        case E::Verify:
            return Counts(c, UiText(c, o.canceled ? kVerifyCanceled : kVerify), o, kCountEqual);
        case E::Download:
            if (o.targetMissing) return UiText(c, kDownloadUnitMissing, {unit});
            return Counts(c, UiText(c, o.canceled ? kDownloadToCanceled : kDownloadTo, {unit}), o,
                          kCountWritten);
        case E::Save:
            return UiText(c, kSaved, {transferred, path});
        case E::Open:
            return UiText(c, kOpened, {transferred, path});
        case E::Export:
            return UiText(c, kExported, {transferred, path});
    }
    return {};
}

QString FailureText(SOperationOutcome::EOperation operation, const QString& reason,
                    const CMessageTable& c) {
    // In the order of EOperation: None (a Link), Upload, Download, Verify, Save, Open, Export.
    constexpr std::uint16_t kFailed[] = {kLinkFailed, kUploadFailed, kDownloadFailed, kVerifyFailed,
                                         kSaveFailed, kOpenFailed,   kExportFailed};
    return UiText(c, kFailed[static_cast<int>(operation)], {reason});
}
