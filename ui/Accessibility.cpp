#include "ui/Accessibility.h"

#include <QAccessibleWidget>

#include "ui/ImageButton.h"

namespace {

// QAccessibleButton calls every checkable button a check box; the bitmap buttons keep their
// flip in the checked flag, yet they are push buttons.
class CImageButtonAccessible : public QAccessibleWidget {
  public:
    explicit CImageButtonAccessible(CImageButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = static_cast<const CImageButton*>(widget());
        if (button->IsToggle()) {
            state.checkable = true;
            state.checked = button->Alternate();
            state.pressed = button->Alternate();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    // A small window's buttons take Alt and a letter.
    QStringList keyBindingsForAction(const QString& action) const override {
        const QKeySequence key = static_cast<const CImageButton*>(widget())->shortcut();
        if (action != pressAction() || key.isEmpty())
            return QAccessibleWidget::keyBindingsForAction(action);
        return {key.toString(QKeySequence::NativeText)};
    }

    void doAction(const QString& action) override {
        auto* button = static_cast<CImageButton*>(widget());
        if (action == pressAction() && button->isEnabled())
            button->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == QLatin1String("CImageButton"))
        return new CImageButtonAccessible(static_cast<CImageButton*>(widget));
    // Their accessible name is their text and their description a lamp's state.
    if (className == QLatin1String("CSkinLabel") || className == QLatin1String("CLampControl"))
        return new QAccessibleWidget(widget, QAccessible::StaticText);
    return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}
