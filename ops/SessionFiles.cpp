// Saving and opening parameter sets, and the CSV export.
#include <ctime>

#include "app/ConfigFiles.h"
#include "files/ParameterSet.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"

namespace {

std::string LocalTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

}  // namespace

void CDeviceSession::ReportFileError(const SFileError& error) {
    m_ui.MessageBox(error.text, COperatorUi::BoxStyle::Ok);
    WriteLog(error.text + " (" + std::to_string(error.code) + ")\n");
}

void CDeviceSession::SaveButton() {
    LogEvent("Save button pushed.");
    if (m_busy || !m_model.table) return;
    std::string path;
    LogEvent("Save start.");
    if (!m_ui.ChooseSaveFile(COperatorUi::FileKind::ParameterSet, "", path)) {
        LogEvent("Save canceled.");
        return;
    }
    path = WithExtension(path, ".tmf");
    WriteLog("Save file is [" + path + "]\n");
    SFileError error;
    if (!SaveParameterSet(*m_model.table, m_model.modelName, FormatTableDate(m_model.tablePath),
                          path, error)) {
        ReportFileError(error);
        return;
    }
    m_openedFilePath = path;
    m_setSourceText = path;
    m_ui.RefreshView();
    LogEvent("Save end.");
}

bool CDeviceSession::OpenButton() {
    LogEvent("File Open button pushed.");
    if (m_busy || !m_model.table) return false;
    std::string path;
    LogEvent("File Open start.");
    if (!m_ui.ChooseOpenFile(COperatorUi::FileKind::ParameterSet, path)) {
        LogEvent("File Open canceled.");
        return false;
    }
    WriteLog("Open file is [" + path + "]\n");
    CMenuParamTable& table = *m_model.table;
    bool modelDiffers = false;
    const bool ok = ReadParameterFile(table, path, modelDiffers);
    if (modelDiffers) {
        const std::string text = ReadQuestionText("001");
        m_ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
        WriteLog(text);
    }
    if (!ok) {
        table.ClearValid();
        m_ui.RefreshSidePanel();
        m_ui.OpenSidePanel();
        m_setSourceText.clear();
        m_ui.RefreshView();
        return false;
    }
    m_valuesPresent = true;
    m_fileOpened = true;
    m_openedFilePath = path;
    m_ui.RefreshSidePanel();
    if (table.AnyWritableNotValid() == 1) m_ui.OpenSidePanel();
    m_setSourceText = path;
    m_ui.RefreshView();
    LogEvent("File Open end.");
    return true;
}

bool CDeviceSession::ReadParameterFile(CMenuParamTable& table, const std::string& path,
                                       bool& modelDiffers) {
    SFileError error;
    if (LoadParameterSet(table, path, m_model.modelName, modelDiffers, error)) return true;
    ReportFileError(error);
    return false;
}

void CDeviceSession::ExportButton() {
    LogEvent("Export button pushed.");
    if (m_busy || !m_model.table) return;
    std::string path;
    LogEvent("Export start.");
    if (!m_ui.ChooseSaveFile(COperatorUi::FileKind::Csv, LocalTimeStamp() + ".csv", path)) {
        LogEvent("Export canceled.");
        return;
    }
    path = WithExtension(path, ".csv");
    WriteLog("Export file is [" + path + "]\n");
    SFileError error;
    if (!ExportParameterSet(*m_model.table, m_model.modelName, FormatTableDate(m_model.tablePath),
                            {Catalogue(300), Catalogue(301)}, path, error)) {
        ReportFileError(error);
        return;
    }
    LogEvent("Export end.");
}
