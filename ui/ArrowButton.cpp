#include "ui/ArrowButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kEdgeWidth = 2;
enum Edge { kNoEdge, kRaised, kSunken };

}  // namespace

QPolygon ArrowOutline(ArrowKind kind) {
    QPolygon outline;
    if (kind == ArrowKind::Down) {
        outline << QPoint(10, 0) << QPoint(10, 20) << QPoint(0, 20) << QPoint(22, 41)
                << QPoint(41, 21) << QPoint(31, 20) << QPoint(31, 0);
    } else {
        outline << QPoint(18, 0) << QPoint(-2, 21) << QPoint(10, 20) << QPoint(10, 41)
                << QPoint(31, 41) << QPoint(31, 20) << QPoint(40, 21);
    }
    QRect box = outline.boundingRect();
    outline.translate(-box.topLeft());
    return outline;
}

CArrowButton::CArrowButton(ArrowKind kind, QWidget* parent)
    : QAbstractButton(parent), m_outline(ArrowOutline(kind)), m_shape(m_outline) {
    QRect box = m_outline.boundingRect();
    setFixedSize(box.right() + 1, box.bottom() + 1);
    setMask(m_shape);
    setMouseTracking(true);
    QColor salmon(250, 207, 194), red(255, 0, 0);
    m_faces[kNormal] = DrawFace(salmon, kRaised);
    m_faces[kPressed] = DrawFace(red, kSunken);
    m_faces[kHot] = DrawFace(red, kRaised);
    m_faces[kDisabled] = DrawFace(palette().color(QPalette::Button), kNoEdge);
}

void CArrowButton::PlaceOver(const QWidget* placeholder) { move(placeholder->pos()); }

bool CArrowButton::hitButton(const QPoint& pos) const { return m_shape.contains(pos); }

void CArrowButton::SetHot(bool hot) {
    if (hot == m_hot) return;
    m_hot = hot;
    update();
}

void CArrowButton::mouseMoveEvent(QMouseEvent* event) {
    SetHot(m_shape.contains(event->position().toPoint()));
    QAbstractButton::mouseMoveEvent(event);
}

void CArrowButton::leaveEvent(QEvent* event) {
    SetHot(false);
    QAbstractButton::leaveEvent(event);
}

void CArrowButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) SetHot(false);
    QAbstractButton::changeEvent(event);
}

QPixmap CArrowButton::DrawFace(const QColor& fill, int edge) const {
    QPixmap face(size());
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setClipRegion(m_shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(m_outline);
    if (edge == kNoEdge) return face;
    // Edges facing up or left catch the light on a raised face; a sunken face swaps them.
    // The pen straddles the outline; the shape clips its outer half away.
    double area2 = 0;
    for (int i = 0; i < m_outline.size(); ++i) {
        const QPoint& a = m_outline[i];
        const QPoint& b = m_outline[(i + 1) % m_outline.size()];
        area2 += double(a.x()) * b.y() - double(b.x()) * a.y();
    }
    QColor light = fill.lighter(160), dark = fill.darker(200);
    if (edge == kSunken) std::swap(light, dark);
    for (int i = 0; i < m_outline.size(); ++i) {
        const QPoint& a = m_outline[i];
        const QPoint& b = m_outline[(i + 1) % m_outline.size()];
        // Outward normal for either orientation of the outline.
        double nx = b.y() - a.y(), ny = -(b.x() - a.x());
        if (area2 > 0) {
            nx = -nx;
            ny = -ny;
        }
        painter.setPen(QPen(nx + ny < 0 ? light : dark, 2 * kEdgeWidth));
        painter.drawLine(a, b);
    }
    return face;
}

void CArrowButton::paintEvent(QPaintEvent*) {
    Face face = !isEnabled() ? kDisabled : isDown() ? kPressed : m_hot ? kHot : kNormal;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_faces[face]);
    if (hasFocus()) {
        // The focus shows as a dotted outline just inside the arrow's edge.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        const QPointF centre = QRectF(m_outline.boundingRect()).center();
        QPolygonF inner;
        for (const QPoint& p : m_outline) inner << centre + (QPointF(p) - centre) * 0.8;
        painter.drawPolygon(inner);
    }
}
