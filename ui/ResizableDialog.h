#pragma once

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <vector>

// A dialog whose controls follow its size through anchor flags (see Anchors.h). It cannot
// be made smaller than the size its controls were placed for (its size when the first anchor
// was added, else when first shown), whatever size it was given before it showed, and has a
// sizing grip in its lower right corner.
class CResizableDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CResizableDialog(QWidget* parent = nullptr);

    // Registers a child control; flags are AnchorFlag values.
    void AddAnchor(QWidget* control, int flags);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    struct Anchor {
        QPointer<QWidget> control;
        int flags;
    };
    std::vector<Anchor> m_anchors;
    QSize m_lastSize;
    QSize m_creationSize;
    bool m_minimumFixed = false;
};
