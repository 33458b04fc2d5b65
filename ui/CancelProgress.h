#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "ui/CancelDialog.h"

// Start, poll and close of the stop window around a long operation. Everything runs on the
// GUI thread: the operation's waits on the line pump events, so the stop button works while
// an exchange waits for its time-out, and a press is seen by the next Poll().
class CCancelProgress {
  public:
    // The texts are the stop window's; `mainWindow` is brought to the top by Close().
    CCancelProgress(SCancelTexts texts, QWidget* mainWindow);
    ~CCancelProgress();
    CCancelProgress(const CCancelProgress&) = delete;
    CCancelProgress& operator=(const CCancelProgress&) = delete;

    // Shows the stop window centred on the screen; a second Start while shown does nothing.
    void Start();
    // Dispatches waiting events, then answers true once when stop was pressed since the
    // last poll. Without a window it answers false.
    bool Poll();
    void SetProgress(int done, int total);
    // What the stop window names, now and when it is started next.
    void SetOperation(const QString& operation);
    // Brings the main window to the top and closes the stop window; harmless when closed.
    void Close();

    CCancelDialog* Dialog() const { return m_dialog; }

  private:
    SCancelTexts m_texts;
    QString m_operation;
    QPointer<QWidget> m_mainWindow;
    QPointer<CCancelDialog> m_dialog;
};
