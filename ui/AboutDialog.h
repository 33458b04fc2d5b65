#pragma once

#include <QDialog>

class CMessageTable;
class QLabel;

// The program's name and version.
class CAboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDialog(const CMessageTable& messages, QWidget* parent = nullptr);

    QString VersionLine() const;
    // Adds the main window's keys (a rich-text table) below the notice, readable by keyboard.
    void ShowKeys(const QString& table);

  private:
    const CMessageTable& m_messages;
    QLabel* m_version;
};

// "vexa V 1.0.0.0": the program's file name, a blank and its compiled-in version.
QString AboutVersionLine();
