// Saving and opening parameter sets, and the CSV export.
#include <algorithm>
#include <cerrno>

#include "app/ConfigFiles.h"
#include "files/ParameterSet.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"

namespace {

// The parameters a save or an export writes: the transferable ones with a set value.
int SavedCount(const CMenuParamTable& table) {
    int count = 0;
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        if (item.writable != 0 && !item.setValue.empty()) ++count;
    }
    return count;
}

}  // namespace

int CDeviceSession::ValuesMissing() const {
    if (!m_model.table) return 0;
    int missing = 0;
    for (size_t i = 0; i < m_model.table->GetCount(); ++i) {
        const CMenuParamItem& item = *m_model.table->GetItem(i);
        if (item.writable == 0 || !item.setValue.empty()) continue;
        const bool absent =
            std::any_of(m_paramStatuses.begin(), m_paramStatuses.end(), [&](const SParamStatus& s) {
                return s.number == item.number && s.status == EParamStatus::Absent;
            });
        if (!absent) ++missing;
    }
    return missing;
}

SResult CDeviceSession::ReportFileError(SResult error) {
    m_ui.ShowReason(error.reason);
    WriteLog(error.message + " (" + std::to_string(error.systemError) + ")\n");
    return error;
}

SResult CDeviceSession::Save(const std::string& chosenPath) {
    LogEvent("Save button pushed.");
    if (m_busy) return Busy();
    if (!m_model.table) return NotConnected();
    LogEvent("Save start.");
    const std::string path = WithExtension(chosenPath, ".tmf");
    WriteLog("Save file is [" + path + "]\n");
    SResult saved = SaveParameterSet(*m_model.table, m_model.modelName,
                                     FormatTableDate(m_model.tablePath), path);
    if (!saved.Ok()) return ReportFileError(std::move(saved));
    m_openedFilePath = path;
    m_setSourceText = path;
    m_outcome = SOperationOutcome(SOperationOutcome::EOperation::Save);
    m_outcome.transferred = SavedCount(*m_model.table);
    m_outcome.path = path;
    m_ui.RefreshView();
    LogEvent("Save end.");
    return saved;
}

SResult CDeviceSession::Open(const std::string& path) {
    LogEvent("File Open button pushed.");
    if (m_busy) return Busy();
    if (!m_model.table) return NotConnected();
    LogEvent("File Open start.");
    WriteLog("Open file is [" + path + "]\n");
    CMenuParamTable& table = *m_model.table;
    SSetFileNotes notes;
    const SResult read = ReadParameterFile(table, path, notes);
    if (notes.modelDiffers && read.code != ResultCode::kOtherModel) {
        const std::string text = ReadQuestionText("001");
        m_ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
        WriteLog(text);
    }
    if (!read.Ok()) {
        // A refused file leaves no set behind: neither its own part nor the one it was to
        // replace may be downloaded, saved or compared as if it were the file.
        table.ClearValid();
        table.ClearSetValues();
        m_valuesPresent = false;
        m_fileOpened = false;
        m_openedFilePath.clear();
        m_paramStatuses.clear();
        m_setSourceText.clear();
        m_ui.RefreshView();
        return read;
    }
    m_valuesPresent = true;
    m_paramStatuses.clear();  // they described the values the file replaced
    m_fileOpened = true;
    m_openedFilePath = path;
    m_setSourceText = path;
    m_outcome = SOperationOutcome(SOperationOutcome::EOperation::Open);
    m_outcome.transferred = SavedCount(table);
    m_outcome.path = path;
    m_ui.RefreshView();
    if (notes.cutInsideRecord > 0) {
        const SReason cut = Reason<ReasonId::kEndsInsideRecord>(
            path, std::to_string(notes.cutInsideRecord), std::to_string(m_outcome.transferred));
        m_ui.ShowReason(cut);
        WriteLog(English(cut) + "\n");
    }
    LogEvent("File Open end.");
    return read;
}

SResult CDeviceSession::ReadParameterFile(CMenuParamTable& table, const std::string& path,
                                          SSetFileNotes& notes) {
    SResult read = LoadParameterSet(table, path, m_model.modelName, notes);
    if (read.Ok() && notes.cutInsideRecord > 0 && m_cutFilesRefused)
        read = SResult::Failure(ResultCode::kFileError,
                                CutRefusal(path, notes.cutInsideRecord, table), EINVAL);
    if (read.Ok() && notes.records == 0 && m_otherModelRefused)
        read = SResult::Failure(ResultCode::kFileError, Reason<ReasonId::kNoRecord>(path), EINVAL);
    if (read.Ok() && notes.modelDiffers && m_otherModelRefused)
        read = OtherModelRefusal(Reason<ReasonId::kMadeForModel>(path, notes.fileModelName),
                                 m_model.modelName, m_unit);
    return read.Ok() ? read : ReportFileError(std::move(read));
}

SResult CDeviceSession::OtherModelRefusal(SReason what, const std::string& model, int unit) const {
    return SResult::Failure(
        ResultCode::kOtherModel,
        Reason<ReasonId::kOtherModelRefused>(std::move(what), model, UnitOnPort(unit)), EINVAL);
}

bool CDeviceSession::ConfirmIncompleteSet(const CMenuParamTable& table,
                                          const SSetFileNotes& notes) {
    if (notes.cutInsideRecord == 0) return true;
    const SReason question = Reason<ReasonId::kDownloadIncompleteSet>(
        m_openedFilePath, std::to_string(notes.cutInsideRecord), std::to_string(SavedCount(table)),
        std::to_string(TransferableCount(table)));
    WriteLog(English(question) + "\n");
    return m_ui.ShowReason(question, COperatorUi::BoxStyle::YesNoWarning) ==
           COperatorUi::BoxAnswer::Ok;
}

SResult CDeviceSession::Export(const std::string& chosenPath) {
    LogEvent("Export button pushed.");
    if (m_busy) return Busy();
    if (!m_model.table) return NotConnected();
    LogEvent("Export start.");
    const std::string path = WithExtension(chosenPath, ".csv");
    WriteLog("Export file is [" + path + "]\n");
    SResult exported =
        ExportParameterSet(*m_model.table, m_model.modelName, FormatTableDate(m_model.tablePath),
                           {Catalogue(300), Catalogue(301)}, path);
    if (!exported.Ok()) return ReportFileError(std::move(exported));
    m_outcome = SOperationOutcome(SOperationOutcome::EOperation::Export);
    m_outcome.transferred = SavedCount(*m_model.table);
    m_outcome.path = path;
    m_ui.RefreshView();
    LogEvent("Export end.");
    return exported;
}
