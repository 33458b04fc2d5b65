#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <string>
#include <vector>

// Alignment flags of a caption label (combine one horizontal and one vertical flag).
enum LabelAlign : int {
    kAlignLeft = 1,
    kAlignCentre = 2,
    kAlignRight = 4,
    kAlignTop = 8,
    kAlignMiddle = 16,
    kAlignBottom = 32,
};

// A dialog font fontHeightPixels high on a screen of dpiY dots per inch, as points
// (height × 72 / dpi, integer division). Taken as a point size, so a caption reads at the
// size of the dialog's own text on any screen.
int CaptionFontPoints(int fontHeightPixels, int dpiY);

// A caption that draws its own text: background colour, font, alignment, optional word
// wrapping to its width, and embossed text while disabled.
class CSkinLabel : public QWidget {
    Q_OBJECT
  public:
    explicit CSkinLabel(QWidget* parent = nullptr);

    void SetFaceName(const QString& family);
    void SetFontHeight(int pixels);
    void SetFontPoints(int points);
    // The face and size captions take on `dialog`: its font's face, at the point size
    // CaptionFontPoints gives for its font and screen.
    void UseCaptionFontOf(const QWidget& dialog);
    // UTF-8 text; with wrapping on it is broken into lines that fit the label's width.
    void SetText(const std::string& text);
    void SetAlignment(int flags);
    // Alignment used instead when the wrapped text takes more than one line.
    void SetWrappedAlignment(int flags);
    void SetWrap(bool wrap);
    // The font shrinks, one point at a time, until the text fits the label (for captions
    // that must stay whole at a large font or scale); what does not fit even at the smallest
    // size becomes one line cut with "…".
    void SetShrinkToFit(bool shrink);
    void SetBackground(const QColor& colour);
    // The letter underlined as the access key of the control the caption names.
    void SetAccessKey(QChar key);

    const std::string& Text() const { return m_text; }
    // The font the text is drawn with (the widget's own font is not used).
    const QFont& TextFont() const;
    // The lines as they are drawn.
    const std::vector<std::string>& Lines() const;
    // Room for the text's lines as given, unwrapped.
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Relayout();
    // Lays the text out again when the label's size changed since. A hidden label gets no
    // resize events, yet its owner places it and may read or show it at any time.
    void LayOutForSize() const;
    void LayOut() const;

    // Whether the lines fit the label's size in m_font.
    bool LinesFit() const;

    QColor m_background;    // none: the window's colour
    QFont m_requestedFont;  // as set; m_font is it, shrunk when it must fit
    bool m_shrinkToFit = false;
    int m_alignment = kAlignLeft | kAlignTop;
    int m_wrappedAlignment = kAlignLeft | kAlignTop;
    bool m_wrap = false;
    QChar m_accessKey;
    std::string m_text;
    // The layout for m_laidOutSize, kept until the size or the text or font changes.
    mutable QFont m_font;
    mutable std::vector<std::string> m_lines;
    mutable QSize m_laidOutSize;
};

// The Qt alignment for a combination of LabelAlign flags.
Qt::Alignment ToQtAlignment(int flags);
