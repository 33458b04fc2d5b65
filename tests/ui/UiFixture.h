#pragma once

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

// The windows and widgets the desktop's tests drive.
#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "ops/DeviceSession.h"
#include "support/SimulatedUnits.h"
#include "support/TempFolder.h"
#include "ui/ArrowButton.h"
#include "ui/CancelDialog.h"
#include "ui/ImageButton.h"
#include "ui/MainDialog.h"
#include "ui/MainDialogRun.h"
#include "ui/NumericEdit.h"
#include "ui/RememberedSettings.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/UnitNumberDialog.h"

// A catalogue shipped beside the test program, English or German.
inline constexpr const char* kShippedCatalogues[] = {"VEXA.cap", "VEXA.de.cap"};
inline CMessageTable ShippedCatalogue(const char* file) {
    CMessageTable catalogue;
    catalogue.Load((QCoreApplication::applicationDirPath() + '/' + file).toStdString(), "Pyrona",
                   999);
    return catalogue;
}

// A module folder of its own with the shipped "VEXA.cap" and the button faces, for the dialogs
// under test.
class UiFolder {
  public:
    UiFolder() : m_messages(ShippedCatalogue("VEXA.cap")) {
        namespace fs = std::filesystem;
        for (const auto& entry :
             fs::directory_iterator(QCoreApplication::applicationDirPath().toStdString()))
            if (entry.path().extension() == ".bmp" || entry.path().filename() == "VEXA.cap")
                fs::copy_file(entry.path(), fs::path(m_folder.Path()) / entry.path().filename());
        SetModuleFolder(m_folder.Path());
    }
    ~UiFolder() { SetModuleFolder(""); }

    const CMessageTable& Messages() const { return m_messages; }

  private:
    TempFolder m_folder;
    CMessageTable m_messages;
};

// Calls `act` once with the first shown window of type T other than `except`; the flag tells
// whether it did.
template <class T>
std::shared_ptr<bool> WhenShown(std::function<void(T*)> act, QWidget* except = nullptr) {
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act, done, except] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* wanted = qobject_cast<T*>(w);
            if (!wanted || w == except || !w->isVisible() || !w->windowHandle()) continue;
            timer->stop();
            timer->deleteLater();
            *done = true;
            act(wanted);
            return;
        }
    });
    timer->start();
    return done;
}

// What the next message box said; it is answered with OK.
struct ToldBox {
    bool seen = false;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
inline std::shared_ptr<ToldBox> CatchMessageBox() {
    auto told = std::make_shared<ToldBox>();
    WhenShown<QMessageBox>([told](QMessageBox* box) {
        *told = {true, box->text(), box->windowTitle(), box->icon()};
        box->done(QMessageBox::Ok);
    });
    return told;
}

// A window waiting for an answer no test gives would hold the test until ctest kills it,
// without a word of what it waited for. After `patience` the guard closes it and keeps its text,
// so that the test fails saying which window it was.
class StrayWindowGuard {
  public:
    explicit StrayWindowGuard(std::chrono::milliseconds patience = std::chrono::seconds(20)) {
        m_timer.setInterval(250);
        QObject::connect(&m_timer, &QTimer::timeout, [this, patience] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != m_waiting) {
                m_waiting = modal;
                m_since.start();
                return;
            }
            if (!modal || m_since.elapsed() < patience.count()) return;
            auto* box = qobject_cast<QMessageBox*>(modal);
            m_closed << QStringLiteral("%1 \"%2\"")
                            .arg(modal->metaObject()->className(),
                                 box ? box->text() : modal->windowTitle());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        m_timer.start();
    }
    // Fails the test function if it had to close a window since the last call.
    void VerifyNoneLeft() {
        const QString closed = m_closed.join("; ");
        m_closed.clear();
        QVERIFY2(closed.isEmpty(), qPrintable("left waiting: " + closed));
    }

  private:
    QTimer m_timer;
    QPointer<QWidget> m_waiting;
    QElapsedTimer m_since;
    QStringList m_closed;
};

// A left click at `at` in w (its middle when not given), sent to w's window.
inline void ClickIn(QWidget* w, QPoint at = {-1, -1}) {
    QWidget* top = w->window();
    const QPoint local = at == QPoint(-1, -1) ? w->rect().center() : at;
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, local));
}

inline void KeyTo(QWidget* window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

// Types the file name as an operator would. selectFile() leaves the name field alone
// once the field has focus, so it cannot be relied on here.
inline std::shared_ptr<bool> ChooseFile(const QString& path) {
    return WhenShown<QFileDialog>([path](QFileDialog* dialog) {
        const QFileInfo file(path);
        dialog->setDirectory(file.absolutePath());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(file.fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

// Runs the program's main dialog as vexa does (with the remembered settings, under exec()),
// `script` started inside its exec(); the dialog is ended afterwards should the script not have
// ended it. A window left waiting inside it is the StrayWindowGuard's to close.
inline void RunAsTheProgram(CMainDialog& dialog, const std::function<void()>& script) {
    QTimer::singleShot(0, &dialog, [&dialog, script] {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        script();
        if (dialog.isVisible()) dialog.done(0);
    });
    RunMainDialog(dialog);
}

// The main dialog against simulated controllers, for the test classes that drive it: MakeDialog()
// in init(), EndDialog() in cleanup(), which fails the test function that left a window waiting.
class MainDialogFixture : public QObject {
  protected:
    // Clicks sent to the window are held back by modality as a window system holds them back;
    // without, they go straight to the widget.
    explicit MainDialogFixture(bool clicksToTheWindow) : m_toWindow(clicksToTheWindow) {}

    const bool m_toWindow;
    StrayWindowGuard m_stray;
    std::unique_ptr<SimulatedUnits> m_units;
    std::unique_ptr<CMainDialog> m_dialog;

    CDeviceSession& Session() { return m_dialog->Session(); }
    void Click(CMainDialog::Button b) {
        if (m_toWindow)
            ClickIn(m_dialog->ButtonAt(b));
        else
            QTest::mouseClick(m_dialog->ButtonAt(b), Qt::LeftButton);
    }
    // The whole status line, as read out; the field shows it cut where it does not fit.
    QString Status() const { return m_dialog->StatusLine()->accessibleDescription(); }
    void Connect() {
        Click(CMainDialog::kConnect);
        QVERIFY2(Session().IsConnected(), m_units->log.Text().c_str());
    }
    void MakeDialog() {
        m_units = std::make_unique<SimulatedUnits>();
        QVERIFY(m_units->ready);
        m_dialog = std::make_unique<CMainDialog>(m_units->catalogue);
    }
    void EndDialog() {
        m_dialog.reset();
        m_units.reset();
        m_stray.VerifyNoneLeft();
    }
};
