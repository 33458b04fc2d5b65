#pragma once

#include <QDialog>

class CImageButton;
class CSkinLabel;
class QLabel;
class QProgressBar;

// The stop window's words, from the catalogue.
struct SCancelTexts {
    QString caption;  // above the stop button
    QString name;     // the stop button's name for screen readers
    QString count;    // the progress: "%1" done of "%2"
};

// The small window with a stop button that a long operation shows. It has no parent, so
// it stays usable while the main window is disabled. Escape stops as the button does; Enter
// and the title-bar close do nothing; only Finish() closes it.
class CCancelDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CCancelDialog(const SCancelTexts& texts);

    // Consumes a stop request: true once for any number of presses since the last call.
    bool TakeStopRequest();
    // Names what would be stopped, above the button and in the window's title.
    void SetOperation(const QString& operation);
    QString Operation() const;
    // Shows "done / total" and a bar; a total of 0 or less hides both.
    void SetProgress(int done, int total);
    QString ProgressText() const;
    CImageButton* StopButton() const { return m_stop; }
    // Hides the window for good and deletes it later.
    void Finish();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  public slots:
    void accept() override {}
    void reject() override {}

  private:
    CImageButton* m_stop;
    CSkinLabel* m_caption;
    QLabel* m_operation;
    QLabel* m_count;
    QProgressBar* m_bar;
    QString m_countText;
    bool m_stopRequested = false;
};
