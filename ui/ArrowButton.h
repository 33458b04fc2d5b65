#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPolygon>
#include <QRegion>

enum class ArrowKind { Up, Down };

// The arrow's outline, moved so that its bounding box starts at 0,0.
QPolygon ArrowOutline(ArrowKind kind);

// A button shaped like an arrow: the window takes the outline as its shape, clicks count
// only inside it, and it lights up while the pointer is over it.
class CArrowButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CArrowButton(ArrowKind kind, QWidget* parent = nullptr);

    // Takes the place of a placeholder control (its top-left corner).
    void PlaceOver(const QWidget* placeholder);
    bool IsHot() const { return m_hot; }

  protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    enum Face { kNormal, kPressed, kHot, kDisabled, kFaceCount };
    QPixmap DrawFace(const QColor& fill, int edge) const;
    void SetHot(bool hot);

    QPolygon m_outline;
    QRegion m_shape;
    QPixmap m_faces[kFaceCount];
    bool m_hot = false;
};
