#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MessageTable.h"
#include "app/Result.h"
#include "ops/DeviceLink.h"
#include "ops/OperatorUi.h"
#include "ops/SessionState.h"
#include "params/OperatorReport.h"
#include "protocol/CommandExchange.h"
#include "protocol/FramePort.h"
#include "serial/CommSettings.h"

class CMenuCmdItem;
class CMenuCmdList;
struct SSetFileNotes;

// The connection to one controller and everything the operator does with it:
// connect and disconnect, the setting view, upload, download and verify, parameter
// files and CSV export.  It owns the port, the loaded model and the view state, and
// reaches the operator only through its COperatorUi.  Every handler ignores a call
// while another operation runs, so no front end can start two at once.
class CDeviceSession {
  public:
    CDeviceSession(COperatorUi& ui, const CMessageTable& catalogue);
    ~CDeviceSession();
    CDeviceSession(const CDeviceSession&) = delete;
    CDeviceSession& operator=(const CDeviceSession&) = delete;

    // --- settings and connection ---
    // New line settings from the settings dialog: an open port is closed without the
    // disconnect routine and the connection state is reset.
    void ApplyCommSettings(const CCommSettings& settings, int unit);
    // Identifies the controller at `unit` and loads its model (a connected one is left first).
    // A failed connect ends disconnected and answers why; a call while another operation runs
    // answers kBusy and does nothing.
    SResult Connect(int unit);
    // Leaves write mode, runs the model's "DisConnect" routine and closes the port; a failure
    // when the controller did not confirm it (the disconnection goes on regardless).
    SResult Disconnect();
    // Identifies the controller at `unit` and loads its model into `model`; on a failure
    // before the table is loaded the model keeps what it held.
    SResult ConnectAndLoad(int unit, SLoadedModel& model);
    // The model request; the model text is the response data of an answered request, else empty.
    SExchangeOutcome ReadModel(int unit, std::string& modelText);
    // The model request tried once with the given time-out, as a scan of the line asks each unit.
    SExchangeOutcome ProbeModel(int unit, uint16_t timeoutMs, std::string& modelText);
    // The display name the model files give a controller that reports modelText, looked up with
    // the model text as the key; empty when they name none.
    static std::string KnownModelName(const std::string& modelText);
    // Opens the line with the current settings for exchanges outside a connection (a scan).
    SResult OpenLine();
    // Closes the line without the model's DisConnect routine, after a look that must send the
    // controller nothing but reads.
    void Release();
    // A line lost in the middle of an upload, download or verify is waited for up to this long:
    // when the same device comes back and the unit reports the same model, the walk goes on from
    // the parameter that failed.  0 (the default): a lost line ends the walk at once.
    void SetLineWait(int seconds) { m_lineWaitSeconds = seconds; }
    // How the model request waits for an answer: attempts, each up to timeoutMs per byte.
    void SetModelRequestWait(int attempts, uint16_t timeoutMs) {
        m_modelRequestAttempts = attempts;
        m_modelRequestTimeoutMs = timeoutMs;
    }
    // The model's "Connect" routine: the key it returns, which names the model's parameter table.
    SResultOf<std::string> RunConnectRoutine(const std::string& scriptPath, int unit);
    std::string FormatConnectionStatus() const;

    // --- whole-set operations ---
    // Each leaves one status per parameter it walked (ParamStatuses) and answers kOk when none
    // failed or differs, kIncomplete when the operation ran through with some that did, or why
    // it stopped.
    SResult Upload();
    // Compares the controller with the set the session holds.
    SResult Verify();
    // Writes the set (the opened file, else the values held) into the controller at `unit`.
    // Completed(): the target controller was written and is the connected one now.
    SResult Download(int unit);
    // What the download of the opened file into the connected controller would change, without
    // writing: each parameter of the download order that has a set value is read and compared
    // as Verify does (differs: it would change).  No routine runs, no write mode is entered.
    SResult DryRun();
    // The model's "BeforeDownload" or "AfterDownload" routine.
    SResultOf<ERoutineEnd> RunDownloadAction(bool before, const std::string& modelName, int unit);
    static bool CopySetValues(CMenuParamTable& destination, const CMenuParamTable& source);

    // --- setting view ---
    // Each answers kBusy while another operation runs, and why the parameter it went to could
    // not be shown (read, or its routines run) or the write failed; the front end words the
    // result, the session keeps only what the controller answered (Shown).
    // Reads the parameter at index into the view; a parameter that does not exist counts as shown.
    SResult ShowItem(int index);
    // Shows the parameter at index, or the first one after (before) it that can be shown.
    SResult ShowFrom(int index, bool forward);
    // The setting view shows one parameter at a time, read live; the clone view works on the
    // whole set.
    void SetView(EView view);
    // The parameter before or after the current one that can be shown.
    SResult StepUp();
    SResult StepDown();
    // Enters (on) or leaves the write mode the parameter at index needs, as the operator's
    // "Write" box asks; entering is confirmed by the operator first (kCancelled when declined).
    // A parameter other than the current one is read first (Read), and so is Write's.
    SResult SetWriteMode(int index, bool on);
    // Runs the current parameter's write-enter (on) or write-leave list.
    SResult SwitchWriteMode(bool on);
    // A controller left in write mode by the "Write" box (or by SwitchWriteMode) leaves it as
    // unticking the box would, before the program ends or the line is left.  A leave the
    // controller did not confirm is a failure (kNotRestored) that says so; a call while busy
    // answers kBusy and does nothing.
    SResult LeaveWriteMode();
    // Writes `newValue` into the parameter at index and reads it back: kBadValue when the value
    // does not fit (nothing sent), the write's failure ("not written: …"), or kIncomplete when
    // only the read-back failed ("written, but reading it back failed: …": the value may well be
    // on the controller).  An empty value does nothing.
    SResult Write(int index, const std::string& newValue);
    // A parameter picked in the side panel: shown, or the next one that can be.
    SResult GoToItem(int index);
    // Makes the parameter at index the current one and reads it.
    SResult Read(int index);

    // --- parameter files ---
    // Each answers kFileError (also shown to the operator and logged) when the file could not
    // be written or read.  Save writes the set as it is: a front end asks first when it is not
    // whole (ValuesMissing).
    SResult Save(const std::string& path);
    // Ok when the file was read into the table.  A file that ends inside a record gives its
    // whole records and says so; Download then asks before it writes that incomplete set.  A
    // refused file leaves no set.
    SResult Open(const std::string& path);
    SResult Export(const std::string& path);
    SResult ReadParameterFile(CMenuParamTable& table, const std::string& path,
                              SSetFileNotes& notes);
    // Refuse a parameter file that ends inside a record instead (vexa-cli: nobody is there to
    // judge an incomplete set).
    void SetCutFilesRefused(bool refused) { m_cutFilesRefused = refused; }
    // Refuse (kOtherModel) a set made for another model than the controller's, which would be
    // written by parameter number into other parameters, and a set with no records (vexa-cli,
    // unless told otherwise: a script has no operator to read the warning).
    void SetOtherModelRefused(bool refused) { m_otherModelRefused = refused; }

    // --- state for the front ends ---
    bool IsBusy() const { return m_busy; }
    bool IsConnected() const { return m_connected; }
    bool ValuesPresent() const { return m_valuesPresent; }
    bool FileOpened() const { return m_fileOpened; }
    // The transferable parameters of the set that hold no value and are not absent from the
    // controller: an upload that did not read them all leaves an incomplete set.
    int ValuesMissing() const;
    const std::string& OpenedFilePath() const { return m_openedFilePath; }
    const std::string& SetSourceText() const { return m_setSourceText; }
    const CMenuParamTable* Table() const { return m_model.table.get(); }
    CMenuParamTable* Table() { return m_model.table.get(); }
    bool TableHasItems() const { return m_model.table && m_model.table->GetCount() > 0; }
    const std::string& TablePath() const { return m_model.tablePath; }
    const std::string& ModelName() const { return m_model.modelName; }
    const std::string& PicturePath() const { return m_model.picturePath; }
    const std::string& ModelText() const { return m_model.modelText; }
    const std::string& ModelKey() const { return m_model.key; }
    const CCommSettings& Settings() const { return m_settings; }
    int UnitNumber() const { return m_unit; }
    int CurrentIndex() const { return m_currentIndex; }
    EView View() const { return m_view; }
    const SShownParameter& Shown() const { return m_shown; }
    // The controller confirmed write mode for the shown parameter, and has not left it since.
    bool InWriteMode() const { return m_writeModeEntered && m_writeModeIndex == m_currentIndex; }
    const SOperationOutcome& LastOutcome() const { return m_outcome; }
    // Why the last operation ended the connection because its line was lost; else empty.
    const SReason& ConnectionLost() const { return m_connectionLost; }
    // How each parameter of the last upload, download or verify ended, in its walking order.
    const std::vector<SParamStatus>& ParamStatuses() const { return m_paramStatuses; }
    CFramePort& Port() { return m_port; }
    const CFramePort& Port() const { return m_port; }

    // The parameter access of the model's commands and routines, bound to this
    // session's port, unit number and table path.
    SResultOf<std::string> ExecuteCommand(const CMenuCmdItem& command, std::string_view data = {},
                                          int unit = -1);
    SResult RunCommandList(const CMenuCmdList& list, int unit = -1);
    // The condition and scale routines' findings, stored in the item (exists, scale).
    SResult ApplyCondition(CMenuParamItem& item);
    SResult ApplyScale(CMenuParamItem& item);

  private:
    // Read(index) unless that parameter is the current one already.
    SResult ReadUnlessShown(int index);
    friend class CBusyScope;
    friend class CRestoreScope;

    // Reports of the parameter model (an unreadable table) go to the operator.
    struct SUiReport : OperatorReport {
        explicit SUiReport(COperatorUi& operatorUi) : ui(operatorUi) {}
        void ShowReason(const SReason& why) override;
        COperatorUi& ui;
    };

    // The controller a whole-set walk talks to, as a line that comes back must answer again.
    struct SWalkTarget {
        int unit = 1;
        std::string modelText;
    };

    DeviceLink Link();
    SResult OpenConnection();
    SResult EndConnection();
    // The frame Connect and Disconnect share: logged, refused while busy, run in a busy scope.
    SResult ConnectionStep(const std::function<SResult()>& step);
    // Runs the before routine, the writes and the after routine in that order, each step even
    // when the one before failed; kCancelled when the operator stopped the writes, a failure
    // naming the routine that is there and failed, else as the statuses say.
    SResult WriteSet(const SLoadedModel& target, int unit);
    bool OpenPort();
    SResult LoadFixedTable(const std::string& path);
    // "unit N on PORT", as the failure reasons name a controller.
    SReason UnitOnPort(int unit) const;
    // kOtherModel: `what` (the set's model) is not `model` at `unit`, and why that is refused.
    SResult OtherModelRefusal(SReason what, const std::string& model, int unit) const;
    // Shows and logs the failure of a file operation, and answers it.
    SResult ReportFileError(SResult error);
    // Whether the set read into `table` may be downloaded: it is whole, or the operator says so.
    bool ConfirmIncompleteSet(const CMenuParamTable& table, const SSetFileNotes& notes);
    static SResult Busy() { return SResult::Failure(ResultCode::kBusy, Reason<ReasonId::kBusy>()); }
    static SResult NotConnected() {
        return SResult::Failure(ResultCode::kNotConnected, Reason<ReasonId::kNotConnected>());
    }
    // kCancelled: `stopped` says which operation was.
    static SResult Cancelled(SReason stopped);
    // Why a walk stopped early: the lost line when it was lost, else the operator's stop.
    SResult Stopped(SReason stopped) const;
    // Whether the operator asked to stop the running operation; a request, once seen, holds
    // until the next operation begins, so that the wait that saw it and the walk both stop.
    // While the controller is put back only a second request counts.
    bool StopRequested();
    // After an exchange for item: whether the line is gone (then remembered for Stopped).
    bool LostLineAt(const CMenuParamItem& item);
    // kIncomplete naming how many parameters failed or differ, and why the first failed, else
    // kOk.
    SResult StatusResult() const;
    // `failed` (the routine that failed on "unit N on PORT"), with why.
    SReason FailedOnUnit(ReasonId failed, int unit, const SResult& why) const;
    void SetStatus(const CMenuParamItem& item, EParamStatus status, std::string deviceValue = {});
    // The item failed: its status, and `why` when it is the walk's first failure that says why.
    void SetFailed(const CMenuParamItem& item, const SResult& why);
    // The counts of the statuses of the last walk, for the one-line outcome the desktop shows.
    SOperationOutcome OutcomeOfStatuses(SOperationOutcome::EOperation operation,
                                        bool completed) const;
    void EnterConnectedState();
    // Runs the write-leave list of the parameter that put the controller into write mode, to its
    // end even after a stop request; kNotRestored naming the unit when the controller did not
    // confirm it.
    SResult RunWriteLeaveList();
    // kNotRestored: `failure`, and that `unit` may still be in the state `mayBe` names.
    static SResult NotRestored(SReason failure, ReasonId mayBe, int unit);
    void ResetConnectionState();
    // Closes the port and leaves the connected state, without any routine.
    void CloseConnection();
    // After an operation: a connection whose line was lost is closed (CloseConnection).
    void DropLostConnection();
    // Visits the transferable parameters of the upload or download order, offering
    // the stop between two of them; false when the operator stopped (line logged) or
    // the line was lost.
    bool WalkOrder(CMenuParamTable& table, bool downloadOrder, const char* canceledLine,
                   const SWalkTarget& target, const std::function<void(CMenuParamItem&)>& visit);
    // After the line was lost: waits for the same device to come back and the unit to report
    // the same model (when a line wait is set).  False, with the port closed and the reason
    // added to m_lineLostAt, when it does not.
    bool LineCameBack(const SWalkTarget& target);
    // After the line came back: the parameters the walk had already read or written (the first
    // `done` statuses) are read again; another controller of the same model holds other values.
    // False, with the port closed and the difference added to m_lineLostAt, when one differs or
    // cannot be read.
    bool SameValuesCameBack(CMenuParamTable& table, size_t done, const SWalkTarget& target);
    // Verify's step for one parameter: reads it (its condition first) and sets its status by
    // how the controller's value compares with the set value.
    void CompareWithController(CMenuParamItem& item);
    std::string Catalogue(uint16_t number) const { return m_catalogue.Get(number); }

    COperatorUi& m_ui;
    const CMessageTable& m_catalogue;
    CFramePort m_port;
    CCommSettings m_settings;
    int m_unit = 1;
    int m_modelRequestAttempts = 3;
    uint16_t m_modelRequestTimeoutMs = 5000;
    SLoadedModel m_model;
    bool m_busy = false;
    // Stop requests seen since the operation began: the first ends a walk, the second also ends
    // putting the controller back (CRestoreScope).
    int m_stopRequests = 0;
    bool m_restoring = false;
    SReason m_lineLostAt;  // "line lost at parameter N (name)" once the line is gone
    SReason m_connectionLost;
    int m_lineWaitSeconds = 0;
    bool m_connected = false;
    bool m_valuesPresent = false;
    bool m_fileOpened = false;
    bool m_cutFilesRefused = false;
    bool m_otherModelRefused = false;
    std::string m_openedFilePath;
    std::string m_setSourceText;
    int m_currentIndex = 0;
    EView m_view = EView::Setting;
    SShownParameter m_shown;
    // The parameter whose write-enter list ran and whose write-leave list has not; -1: none.
    int m_writeModeIndex = -1;
    bool m_writeModeEntered = false;
    SOperationOutcome m_outcome;
    std::vector<SParamStatus> m_paramStatuses;
    // Of the last walk, the first failure an exchange explains: "parameter N (name): reason".
    SReason m_firstFailure;
    SUiReport m_report;
};
