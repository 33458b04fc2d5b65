#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

// Which face a bitmap button shows.
enum class ButtonFace { None, Normal, Disabled, GreyedNormal, Alternate };

// The face for a button's state and the faces it has: the disabled face while disabled
// (the normal face greyed when there is no disabled face), else the alternate face while
// the alternate flag is set and there is one, else the normal face.
ButtonFace SelectFace(bool enabled, bool alternate, bool hasNormal, bool hasDisabled,
                      bool hasAlternate);

// A push button whose face is a bitmap file, scaled to its client size less 3 pixels.
// Every click (mouse or space key) flips its alternate flag; only a button with an
// alternate face shows it. A face file that is missing or unreadable leaves the button
// blank, and it still clicks.
class CImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CImageButton(QWidget* parent = nullptr);

    // File paths of the faces; an empty path means no such face.
    void SetFaces(const QString& normal, const QString& disabled = {},
                  const QString& alternate = {});

    // The caption shown above the button: what screen readers and the tool tip call it.
    void SetCaption(const QString& caption);

    // A button with an alternate face is a toggle (Link/Unlink): it tells its state.
    bool IsToggle() const { return m_toggle; }
    bool Alternate() const { return isChecked(); }
    void SetAlternate(bool on) { setChecked(on); }
    ButtonFace CurrentFace() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ScaleFaces();

    QImage m_normal, m_disabled, m_alternate;
    bool m_toggle = false;  // an alternate face was given, whether or not it could be read
    QPixmap m_normalFace, m_disabledFace, m_alternateFace, m_greyedFace;
};
