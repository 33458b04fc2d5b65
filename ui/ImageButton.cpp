#include "ui/ImageButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "ui/Accessibility.h"

namespace {

constexpr int kFaceMargin = 3;

QImage LoadFace(const QString& path) { return path.isEmpty() ? QImage() : QImage(path); }

QPixmap Scaled(const QImage& image, const QSize& size) {
    if (image.isNull() || size.isEmpty()) return {};
    return QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

ButtonFace SelectFace(bool enabled, bool alternate, bool hasNormal, bool hasDisabled,
                      bool hasAlternate) {
    if (!enabled) {
        if (hasDisabled) return ButtonFace::Disabled;
        return hasNormal ? ButtonFace::GreyedNormal : ButtonFace::None;
    }
    if (alternate && hasAlternate) return ButtonFace::Alternate;
    return hasNormal ? ButtonFace::Normal : ButtonFace::None;
}

CImageButton::CImageButton(QWidget* parent) : QAbstractButton(parent) {
    // The alternate flag is the checked state: QAbstractButton flips it on every click
    // (mouse release inside the button or space key) before it emits clicked().
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    InstallAccessibleFactory();
}

void CImageButton::SetFaces(const QString& normal, const QString& disabled,
                            const QString& alternate) {
    m_normal = LoadFace(normal);
    m_disabled = LoadFace(disabled);
    m_alternate = LoadFace(alternate);
    m_toggle = !alternate.isEmpty();
    ScaleFaces();
}

void CImageButton::SetCaption(const QString& caption) {
    setAccessibleName(caption);
    setToolTip(caption);
}

ButtonFace CImageButton::CurrentFace() const {
    return SelectFace(isEnabled(), Alternate(), !m_normal.isNull(), !m_disabled.isNull(),
                      !m_alternate.isNull());
}

QSize CImageButton::sizeHint() const {
    if (!m_normal.isNull()) return m_normal.size() + QSize(kFaceMargin, kFaceMargin);
    return {48, 48};
}

void CImageButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    ScaleFaces();
}

void CImageButton::ScaleFaces() {
    QSize faceSize = size() - QSize(kFaceMargin, kFaceMargin);
    m_normalFace = Scaled(m_normal, faceSize);
    m_disabledFace = Scaled(m_disabled, faceSize);
    m_alternateFace = Scaled(m_alternate, faceSize);
    m_greyedFace = QPixmap();
    if (!m_normalFace.isNull()) {
        QStyleOption option;
        option.initFrom(this);
        m_greyedFace = style()->generatedIconPixmap(QIcon::Disabled, m_normalFace, &option);
    }
    update();
}

void CImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton frame;
    frame.initFrom(this);
    frame.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &frame, &painter, this);

    const QPixmap* face = nullptr;
    switch (CurrentFace()) {
        case ButtonFace::Normal:
            face = &m_normalFace;
            break;
        case ButtonFace::Disabled:
            face = &m_disabledFace;
            break;
        case ButtonFace::GreyedNormal:
            face = &m_greyedFace;
            break;
        case ButtonFace::Alternate:
            face = &m_alternateFace;
            break;
        case ButtonFace::None:
            break;
    }
    if (face && !face->isNull()) {
        // Centred in the frame; the pressed look shifts it by one pixel.
        int shift = isDown() ? 1 : 0;
        QPoint at((width() - face->width()) / 2 + shift, (height() - face->height()) / 2 + shift);
        painter.drawPixmap(at, *face);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
