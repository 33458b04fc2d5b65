#pragma once

#include <QLocalServer>
#include <QPointer>
#include <QString>

class QWidget;

// One desktop program per user: the first start holds a lock named after "VEXA" and
// listens on a local socket named after "VEXAWndClass:0001"; a later start finds the
// lock taken, asks the first through the socket to restore and raise its window, and ends.
class CSingleInstance {
  public:
    // Names in `folder` (the user's runtime folder when empty, else /tmp with the user id).
    explicit CSingleInstance(QString folder = {});
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this is the first instance; the lock is held until destruction.
    bool TryLock();
    // Starts answering later starts by raising `window`; false when the socket cannot listen.
    bool Listen(QWidget* window);
    // A later start: asks the first instance to raise its window.  False when none answers
    // (the first one is still starting).
    bool AskFirstToRaise() const;

    const QString& LockPath() const { return m_lockPath; }
    const QString& ServerName() const { return m_serverName; }

  private:
    void RaiseWindow();

    QString m_lockPath;
    QString m_serverName;
    int m_lockFd = -1;
    QLocalServer m_server;
    QPointer<QWidget> m_window;
};
