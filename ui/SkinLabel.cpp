#include "ui/SkinLabel.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "ui/AccessKeys.h"
#include "ui/Accessibility.h"
#include "ui/TextWrap.h"

int CaptionFontPoints(int fontHeightPixels, int dpiY) {
    constexpr int kStandardDpi = 96;  // a screen that reports no resolution
    return fontHeightPixels * 72 / (dpiY > 0 ? dpiY : kStandardDpi);
}

CSkinLabel::CSkinLabel(QWidget* parent)
    : QWidget(parent),
      m_requestedFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont)),
      m_font(m_requestedFont) {
    InstallAccessibleFactory();
}

void CSkinLabel::SetFaceName(const QString& family) {
    m_requestedFont.setFamily(family);
    Relayout();
}

void CSkinLabel::SetFontHeight(int pixels) {
    if (pixels > 0) m_requestedFont.setPixelSize(pixels);
    Relayout();
}

void CSkinLabel::SetFontPoints(int points) {
    if (points > 0) m_requestedFont.setPointSize(points);
    Relayout();
}

void CSkinLabel::UseCaptionFontOf(const QWidget& dialog) {
    m_requestedFont.setFamily(dialog.font().family());
    SetFontPoints(CaptionFontPoints(QFontMetrics(dialog.font()).height(), dialog.logicalDpiY()));
}

void CSkinLabel::SetText(const std::string& text) {
    m_text = text;
    setAccessibleName(QString::fromStdString(text));
    Relayout();
}

void CSkinLabel::SetAlignment(int flags) {
    m_alignment = flags;
    update();
}

void CSkinLabel::SetWrappedAlignment(int flags) {
    m_wrappedAlignment = flags;
    update();
}

void CSkinLabel::SetWrap(bool wrap) {
    m_wrap = wrap;
    Relayout();
}

void CSkinLabel::SetBackground(const QColor& colour) {
    m_background = colour;
    update();
}

void CSkinLabel::SetAccessKey(QChar key) {
    m_accessKey = key;
    update();
}

void CSkinLabel::SetShrinkToFit(bool shrink) {
    m_shrinkToFit = shrink;
    Relayout();
}

const QFont& CSkinLabel::TextFont() const {
    LayOutForSize();
    return m_font;
}

const std::vector<std::string>& CSkinLabel::Lines() const {
    LayOutForSize();
    return m_lines;
}

bool CSkinLabel::LinesFit() const {
    const QFontMetrics metrics(m_font);
    for (const std::string& line : m_lines)
        if (metrics.horizontalAdvance(QString::fromUtf8(line)) > width()) return false;
    return static_cast<int>(m_lines.size()) * metrics.height() <= height();
}

void CSkinLabel::Relayout() {
    LayOut();
    update();
}

void CSkinLabel::LayOutForSize() const {
    if (size() != m_laidOutSize) LayOut();
}

void CSkinLabel::LayOut() const {
    constexpr int kSmallestPoints = 6;
    m_laidOutSize = size();
    m_font = m_requestedFont;
    for (;;) {
        if (m_wrap) {
            QFontMetrics metrics(m_font);
            m_lines = WrapText(m_text, width(), [&](const std::string& s) {
                return metrics.horizontalAdvance(QString::fromUtf8(s));
            });
        } else {
            m_lines = WrapText(m_text, 1 << 30, [](const std::string&) { return 0; });
        }
        if (!m_shrinkToFit || m_text.empty() || LinesFit()) return;
        // A pixel-sized font shrinks by pixels, a point-sized one by points.
        if (m_font.pixelSize() > 0) {
            if (m_font.pixelSize() <= kSmallestPoints) break;
            m_font.setPixelSize(m_font.pixelSize() - 1);
        } else {
            if (m_font.pointSize() <= kSmallestPoints) break;
            m_font.setPointSize(m_font.pointSize() - 1);
        }
    }
    // Cut letters would read as another word; an ellipsis says that there is more.
    const QString whole = QString::fromStdString(m_text).simplified();
    m_lines = {QFontMetrics(m_font).elidedText(whole, Qt::ElideRight, width()).toStdString()};
}

QSize CSkinLabel::sizeHint() const {
    QFontMetrics metrics(m_font);
    int width = 0, lines = 0;
    for (const std::string& line :
         WrapText(m_text, 1 << 30, [](const std::string&) { return 0; })) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromUtf8(line)));
        ++lines;
    }
    return {width + 4, lines * metrics.lineSpacing() + 2};
}

void CSkinLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Without a colour of its own it takes its window's, so that no tile stands out of a dark
    // palette.
    painter.fillRect(rect(),
                     m_background.isValid() ? m_background : palette().color(QPalette::Window));
    LayOutForSize();
    painter.setFont(m_font);
    QStringList lines;
    for (const std::string& line : m_lines) lines << QString::fromUtf8(line);
    QString text = lines.join('\n');
    int flags = m_wrap && m_lines.size() > 1 ? m_wrappedAlignment : m_alignment;
    int align = ToQtAlignment(flags);
    if (!m_accessKey.isNull()) {
        text = MarkAccessKey(text, m_accessKey);
        align |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)
                     ? Qt::TextShowMnemonic
                     : Qt::TextHideMnemonic;
    }
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), align, text);
        return;
    }
    // Embossed on a light face: a light copy one pixel right and down, the grey text over it.
    // On a dark face the light copy would blur the text.
    if (palette().color(QPalette::Window).lightness() >= 128) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rect().translated(1, 1), align, text);
    }
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect(), align, text);
}

Qt::Alignment ToQtAlignment(int flags) {
    Qt::Alignment a;
    a |= (flags & kAlignCentre)  ? Qt::AlignHCenter
         : (flags & kAlignRight) ? Qt::AlignRight
                                 : Qt::AlignLeft;
    a |= (flags & kAlignMiddle)   ? Qt::AlignVCenter
         : (flags & kAlignBottom) ? Qt::AlignBottom
                                  : Qt::AlignTop;
    return a;
}
