#include "ui/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/UnitNumberText.h"

CUpDown::CUpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CUpDown::SetBuddy(QLineEdit* buddy) {
    if (m_buddy) m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy) m_buddy->installEventFilter(this);
}

void CUpDown::SetRange(int min, int max) {
    m_min = min;
    m_max = max;
}

void CUpDown::SetNames(const QString& up, const QString& down) {
    m_up->setAccessibleName(up);
    m_down->setAccessibleName(down);
}

void CUpDown::Step(int delta) {
    if (!m_buddy || !isEnabled()) return;
    int value = StepNumber(m_buddy->text().toStdString(), delta, m_min, m_max);
    m_buddy->setText(QString::number(value));
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the buddy also sends events while it is being destroyed, when it is
    // no longer a QLineEdit that the guarded pointer could hand out.
    if (event->type() == QEvent::KeyPress && watched == m_buddy) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
