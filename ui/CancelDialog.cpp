#include "ui/CancelDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ConfigFiles.h"
#include "ui/Faces.h"
#include "ui/ImageButton.h"
#include "ui/SkinLabel.h"

CCancelDialog::CCancelDialog(const SCancelTexts& texts)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_stop(new CImageButton(this)),
      m_caption(new CSkinLabel(this)),
      m_operation(new QLabel(this)),
      m_count(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_countText(texts.count) {
    m_caption->SetText(texts.caption.toStdString());
    m_caption->SetAlignment(kAlignCentre | kAlignBottom);
    m_caption->setFixedHeight(fontMetrics().height() + 4);
    setWindowTitle(QString::fromStdString(ReadWindowTitle()));
    m_stop->SetFaces(FacePath("stop.bmp"));
    m_stop->SetCaption(texts.name);
    m_stop->setFixedSize(64, 64);
    m_operation->setAlignment(Qt::AlignCenter);
    m_operation->setWordWrap(true);
    m_operation->hide();
    m_count->setAlignment(Qt::AlignCenter);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(10);
    SetProgress(0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_operation);
    layout->addWidget(m_caption);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    layout->addWidget(m_count);
    layout->addWidget(m_bar);
    setFixedWidth(200);

    connect(m_stop, &CImageButton::clicked, this, [this] { m_stopRequested = true; });
}

bool CCancelDialog::TakeStopRequest() {
    bool requested = m_stopRequested;
    m_stopRequested = false;
    return requested;
}

void CCancelDialog::SetOperation(const QString& operation) {
    m_operation->setText(operation);
    m_operation->setVisible(!operation.isEmpty());
    m_stop->setAccessibleDescription(operation);
    setWindowTitle(QString::fromStdString(ReadWindowTitle(operation.toStdString())));
}

QString CCancelDialog::Operation() const { return m_operation->text(); }

void CCancelDialog::SetProgress(int done, int total) {
    bool shown = total > 0;
    m_count->setVisible(shown);
    m_bar->setVisible(shown);
    if (!shown) return;
    m_count->setText(m_countText.arg(QString::number(done), QString::number(total)));
    m_bar->setRange(0, total);
    m_bar->setValue(std::clamp(done, 0, total));
}

QString CCancelDialog::ProgressText() const {
    return m_count->isVisibleTo(this) ? m_count->text() : QString();
}

void CCancelDialog::Finish() {
    hide();
    deleteLater();
}

void CCancelDialog::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (key == Qt::Key_Escape) m_stopRequested = true;
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCancelDialog::closeEvent(QCloseEvent* event) { event->ignore(); }
