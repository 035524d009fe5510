#pragma once

#include "runtime/design.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>

#include <cstdint>
#include <functional>
#include <optional>

// The intrinsic controls a form is built from, each laid out from a design
// record in twips and &H00BBGGRR& colours. Controls are children of a form's
// client area and are destroyed with it.

enum class TextAlign { Left, Right, Center };

struct LabelDesign {
    QString caption{};
    QRect place{}; // left, top, width, height in twips
    design::FontSpec font{};
    std::optional<uint32_t> backColor{};
    std::optional<uint32_t> foreColor{};
    TextAlign align = TextAlign::Left;
    int tabIndex = 0;
    bool visible = true;
    bool enabled = true;
    bool border = false;
    bool autoSize = false; // width and height follow the caption
};

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* client);
    void apply(const LabelDesign& d);

    void setCaption(const QString& caption);
    QString Caption() const { return text(); }
    void setBackColor(uint32_t bbggrr);

private:
    bool autoSize_ = false;
};

struct TextBoxDesign {
    QString text{};
    QRect place{};
    design::FontSpec font{};
    std::optional<uint32_t> backColor{};
    std::optional<uint32_t> foreColor{};
    TextAlign align = TextAlign::Left;
    int tabIndex = 0;
    bool visible = true;
    bool readOnly = false;
    bool tabStop = true;
    int maxLength = 0; // 0: no limit
    QString toolTip{};
};

// The code of a typed character, as a handler sees it: 13 for both Enter keys,
// 8 for Backspace, 27 for Escape, 1..26 for Ctrl+A..Ctrl+Z, otherwise the
// character's UTF-16 unit read as a signed 16-bit value. Keys that make no
// character (arrows, Home, End, Delete, Tab, function keys) have none.
std::optional<int16_t> keyAscii(const QKeyEvent& event);

// A one-line text box whose KeyPress sees every typed character first: set
// the code to 0 to drop the key, to another value to type that instead. The
// box does what the code left means, whichever key produced it: 8 erases one
// character, 13 adds nothing, any other character is typed.
//
// A composition of an input method (a dead key waiting for its letter) is
// ended before anything else changes the box: the program's putText, a key,
// a click, a drag of the mouse or of dropped text, leaving the box, an input
// method that moves the cursor or the selection. The line
// edit keeps the composition at a fixed place in its layout; text or a
// cursor changed beside it leaves the cursor past the end of the text, where
// Backspace reads outside it.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* client);
    void apply(const TextBoxDesign& d);

    QString Text() const { return text(); }
    // The one way the program changes the text. Qt's setText, which this
    // class cannot override, would leave a composition behind.
    void putText(const QString& t);
    void setText(const QString&) = delete;

    std::function<void(int16_t& KeyAscii)> KeyPress;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Characters composed by an input method (dead keys, compose sequences)
    // pass KeyPress one by one, as typed characters do.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Runs KeyPress for one character; true when the box is to take it, with
    // the character the handler left in its place.
    bool passKeyPress(int16_t code, int16_t& result);
    void typeCode(int16_t code);
    // Each character through KeyPress, one by one; false once the box is gone.
    bool typeEach(const QString& characters);
    // Drops a pending composition from the box and from the input method.
    void endComposition();
    // Drops it from the box alone.
    void dropComposition();

    bool composing_ = false;
    quint64 replacements_ = 0; // texts set by the program
};

// A text box that allows several lines; its text stands at the top.
//
// An input method's composition lives in the layout of one line. Qt clears
// it only in the line the cursor is in, so a composition ended while the
// cursor changes lines stays drawn in the old one, and the next key or click
// reads past that line's end. So every composition goes from every line
// before anything else happens to the box: a key that does more than get a
// character ready, a click, a drop, the program's putText, leaving the box,
// and each input-method event (which then brings its own composition back
// where the cursor is). A key whose code is 8 erases one character, as
// Backspace does.
class MultiLineTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* client);
    void apply(const TextBoxDesign& d);

    QString Text() const { return toPlainText(); }
    // The one way the program changes the text; see TextBox::putText.
    void putText(const QString& t);
    void setText(const QString&) = delete;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Clears compositions from every line; true if there was one.
    bool clearCompositions();
    // Clears them and makes the input method forget its own.
    void endComposition();

    Qt::Alignment align_ = Qt::AlignLeft;
    QFont designFont_;
};

struct ButtonDesign {
    QString caption{};
    QRect place{};
    design::FontSpec font{};
    std::optional<uint32_t> backColor{};
    QString picture{}; // resource path; shown above the caption
    int tabIndex = 0;
    bool visible = true;
};

// A command button in graphical style. Click is raised by the mouse, and by
// Enter or Space while the button has the focus.
class CommandButton : public QToolButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* client);
    void apply(const ButtonDesign& d);

    // The caption as designed; the face shows it wrapped at word boundaries
    // to the button's width.
    QString Caption() const { return caption_; }

    std::function<void()> Click;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A flat face in the button's own colour, so a picture drawn on that
    // colour blends in; a raised or pressed bevel, and a dotted focus frame
    // that shows which button Enter or Space will press.
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

struct ImageDesign {
    QRect place{};
    QString picture{}; // stretched to the control's size
};

class Image : public QLabel {
    Q_OBJECT
public:
    explicit Image(QWidget* client);
    void apply(const ImageDesign& d);
};
