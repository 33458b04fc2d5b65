#include "ui/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QWidget>
#include <cstdlib>

namespace {

constexpr const char* kLockName = "VEXA";
constexpr const char* kServerName = "VEXAWndClass:0001";
constexpr int kConnectTimeoutMs = 1000;

}  // namespace

CSingleInstance::CSingleInstance(QString folder) {
    QString suffix;
    if (folder.isEmpty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime != nullptr && runtime[0] == '/') {
            folder = QString::fromLocal8Bit(runtime);
        } else {
            // /tmp is shared by every user: the user id keeps the names per user.
            folder = QStringLiteral("/tmp");
            suffix = QStringLiteral("-%1").arg(getuid());
        }
    }
    m_lockPath = folder + '/' + kLockName + suffix + QStringLiteral(".lock");
    m_serverName = folder + '/' + kServerName + suffix;
    QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
        while (QLocalSocket* peer = m_server.nextPendingConnection()) {
            peer->deleteLater();
            RaiseWindow();
        }
    });
}

CSingleInstance::~CSingleInstance() {
    m_server.close();
    if (m_lockFd >= 0) close(m_lockFd);
}

bool CSingleInstance::TryLock() {
    if (m_lockFd >= 0) return true;
    const QByteArray path = m_lockPath.toLocal8Bit();
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // without a lock the program still runs, as without a test
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool CSingleInstance::Listen(QWidget* window) {
    m_window = window;
    // A socket left by a crashed first instance; the lock says no one else uses it.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_serverName);
}

bool CSingleInstance::AskFirstToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

void CSingleInstance::RaiseWindow() {
    if (!m_window) return;
    if (m_window->isMinimized())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
