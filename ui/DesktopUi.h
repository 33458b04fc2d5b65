#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "ops/OperatorUi.h"

class CCancelDialog;
class CCancelProgress;
class CMessageTable;
class QWidget;

// The operator interface answered with widgets: message boxes titled like the main
// window, a modeless cancel dialog with the progress, the unit-number question, file
// dialogs, and event pumping while the session waits.  What the views show is redrawn
// by the owner through the three refresh callbacks.
class CDesktopUi : public COperatorUi {
  public:
    struct SCallbacks {
        std::function<void()> refreshView;
        std::function<void(bool)> busyChanged;
    };
    enum class FileKind { ParameterSet, Csv };

    CDesktopUi(QWidget* window, const CMessageTable& catalogue, SCallbacks callbacks);
    ~CDesktopUi() override;

    void SetTitle(const QString& title) { m_title = title; }
    // The folder the file dialogs start in: the one used last, else the documents folder
    // (the home folder when there is none).
    void SetFileFolder(const QString& folder) { m_fileFolder = folder; }
    const QString& FileFolder() const { return m_fileFolder; }

    BoxAnswer MessageBox(const std::string& text, BoxStyle style) override;
    BoxAnswer ShowReason(const SReason& why, BoxStyle style = BoxStyle::Ok) override;
    void StartCancel() override;
    bool PollCancel() override;
    void CloseCancel() override;
    void Progress(int done, int total) override;
    void AskingForModel(int unit, int attempt, int attempts) override;
    // What the stop window names for the next operation: catalogue text `number` with %1 for
    // the unit, and the unit (a download's is the one the operator then chooses).
    void NameOperation(int number, int unit);
    void RefreshView() override;
    void PumpEvents() override;
    void BusyChanged(bool busy) override;

    // A stop asked for outside the cancel dialog (the close box, SIGTERM): the next PollCancel
    // answers it as if Cancel had been pressed, also while the controller is put back.
    void RequestStop() { ++m_pendingStops; }

    // The target unit of a download; false when the operator cancels.
    bool AskUnitNumber(int& unit);
    // A file to save to (`suggested`: the name proposed) or to open; false: cancelled.
    bool ChooseSaveFile(FileKind kind, const QString& suggested, std::string& path);
    bool ChooseOpenFile(FileKind kind, std::string& path);

    // The cancel dialog while it is open.
    CCancelDialog* CancelDialog() const;

  private:
    int m_pendingStops = 0;
    QString OperationText() const;
    void StartModelWaitWindow();
    QString StartFolder() const;
    QString FileFilter(FileKind kind) const;
    // Takes a file dialog's answer: false when cancelled, else its folder is remembered.
    bool Chosen(const QString& chosen, std::string& path);

    QWidget* m_window;
    const CMessageTable& m_catalogue;
    SCallbacks m_callbacks;
    QString m_title;
    QString m_fileFolder;
    std::unique_ptr<CCancelProgress> m_cancel;
    QString m_operation;
    int m_operationUnit = 0;
    // The model request being waited for (a count, so that a late timer knows its own), and
    // whether it opened the stop window itself.
    int m_modelRequest = 0;
    int m_requestCount = 0;
    bool m_cancelForModel = false;
};
