#include "ui/OutcomeText.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("Outcome", text); }

// "<what>: <first count>" and every further count that is not zero.
QString Counts(const QString& what, const SOperationOutcome& o, const char* firstCount) {
    QStringList parts{Tr(firstCount).arg(o.transferred)};
    if (o.differs) parts << Tr("%1 differ").arg(o.differs);
    if (o.notInSet) parts << Tr("%1 not in the set").arg(o.notInSet);
    if (o.absent) parts << Tr("%1 not on this controller").arg(o.absent);
    if (o.failed) parts << Tr("%1 failed").arg(o.failed);
    return what + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

}  // namespace

QString OutcomeText(const SOperationOutcome& o) {
    using E = SOperationOutcome::EOperation;
    const QString path = QString::fromStdString(o.path);
    switch (o.operation) {
        case E::None:
            break;
        case E::Upload:
            return Counts(o.canceled ? Tr("Upload canceled") : Tr("Upload"), o, "%1 read");
        case E::Verify:
            return Counts(o.canceled ? Tr("Verify canceled") : Tr("Verify"), o, "%1 equal");
        case E::Download:
            if (o.targetMissing) return Tr("Download: unit %1 could not be connected").arg(o.unit);
            return Counts(
                (o.canceled ? Tr("Download to unit %1 canceled") : Tr("Download to unit %1"))
                    .arg(o.unit),
                o, "%1 written");
        case E::Save:
            return Tr("Saved %1 parameters to %2").arg(o.transferred).arg(path);
        case E::Open:
            return Tr("Opened %2: %1 parameters").arg(o.transferred).arg(path);
        case E::Export:
            return Tr("Exported %1 parameters to %2").arg(o.transferred).arg(path);
    }
    return {};
}

QString FailureText(SOperationOutcome::EOperation operation, const QString& reason) {
    using E = SOperationOutcome::EOperation;
    switch (operation) {
        case E::None:
            return Tr("Link failed: %1").arg(reason);
        case E::Upload:
            return Tr("Upload failed: %1").arg(reason);
        case E::Verify:
            return Tr("Verify failed: %1").arg(reason);
        case E::Download:
            return Tr("Download failed: %1").arg(reason);
        case E::Save:
            return Tr("Save failed: %1").arg(reason);
        case E::Open:
            return Tr("Open failed: %1").arg(reason);
        case E::Export:
            return Tr("Export failed: %1").arg(reason);
    }
    return reason;
}
