#include "runtime/controls.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>

namespace {

Qt::Alignment horizontal(TextAlign a)
{
    switch (a) {
    case TextAlign::Right: return Qt::AlignRight;
    case TextAlign::Center: return Qt::AlignHCenter;
    case TextAlign::Left: break;
    }
    return Qt::AlignLeft;
}

// The form builds its tab order from this after all controls are laid out.
void setTabIndex(QWidget* w, int tabIndex) { w->setProperty("tabIndex", tabIndex); }

void placeAt(QWidget* w, const QRect& twipsRect) { w->setGeometry(design::pixels(twipsRect)); }

// Colours for the normal look; the disabled look keeps the style's grey text.
void setColors(QWidget* w, QPalette::ColorRole backRole, QPalette::ColorRole foreRole,
               std::optional<uint32_t> back, std::optional<uint32_t> fore)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        if (back)
            p.setColor(group, backRole, design::color(*back));
        if (fore)
            p.setColor(group, foreRole, design::color(*fore));
    }
    if (back)
        p.setColor(QPalette::Disabled, backRole, design::color(*back));
    w->setPalette(p);
}

} // namespace

// --- Label -------------------------------------------------------------------

Label::Label(QWidget* client) : QLabel(client)
{
    // Disabled captions keep the classic mid grey: still readable on the
    // light label colours, where the style's own grey fades away.
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    setPalette(p);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAutoFillBackground(true);
    // A bordered QLabel would indent its text by half an 'x' on the aligned
    // sides; a label's text starts right inside its border.
    setIndent(0);
}

void Label::apply(const LabelDesign& d)
{
    setFont(design::font(d.font));
    setColors(this, QPalette::Window, QPalette::WindowText, d.backColor, d.foreColor);
    setAlignment(horizontal(d.align) | Qt::AlignTop);
    if (d.border) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }
    placeAt(this, d.place);
    setTabIndex(this, d.tabIndex);
    setEnabled(d.enabled);
    setVisible(d.visible);
    autoSize_ = d.autoSize;
    setCaption(d.caption);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    if (autoSize_) {
        resize(sizeHint());
    } else if (sizeHint().width() > width()) {
        // A caption is never cut: a figure like "100" in a box drawn for two
        // digits would read as another number. The box grows to the right.
        resize(sizeHint().width(), height());
    }
}

void Label::setBackColor(uint32_t bbggrr)
{
    setColors(this, QPalette::Window, QPalette::WindowText, bbggrr, std::nullopt);
}

// --- TextBox -----------------------------------------------------------------

// A line edit's own maximum length, which stands for no limit.
constexpr int kNoLengthLimit = 32767;

std::optional<int16_t> keyAscii(const QKeyEvent& e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return std::nullopt;
    default: break;
    }
    if (e.key() >= Qt::Key_F1 && e.key() <= Qt::Key_F35)
        return std::nullopt;
    const auto mods = e.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && e.key() >= Qt::Key_A &&
        e.key() <= Qt::Key_Z)
        return static_cast<int16_t>(e.key() - Qt::Key_A + 1);
    const QString t = e.text();
    if (t.isEmpty() || t.at(0).unicode() == 0x7F)
        return std::nullopt;
    return static_cast<int16_t>(t.at(0).unicode());
}

namespace {

// Keys that only get the next character ready (a modifier, a lock, a dead key
// that reached the box itself): they leave a composition be, as the input
// method still needs it.
bool preparesACharacter(const QKeyEvent& e)
{
    if (!e.text().isEmpty())
        return false;
    switch (e.key()) {
    case 0:
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Mode_switch:
    case Qt::Key_Multi_key: return true;
    default: break;
    }
    return e.key() >= Qt::Key_Dead_Grave && e.key() <= Qt::Key_Dead_Longsolidusoverlay;
}

// Qt makes nothing of a code 8 from any key but Backspace (Ctrl+H, say).
bool erasesOnlyByItsCode(const QKeyEvent& e, int16_t code)
{
    return code == 8 && e.key() != Qt::Key_Backspace;
}

// An input method's attributes as the boxes can take them: the cursor and
// the formats within the composition they belong to (Qt draws them where
// they say, inside the text or not).
QList<QInputMethodEvent::Attribute> withinTheComposition(const QInputMethodEvent& e)
{
    const int size = int(e.preeditString().size());
    QList<QInputMethodEvent::Attribute> sound;
    for (QInputMethodEvent::Attribute a : e.attributes()) {
        if (a.type == QInputMethodEvent::Cursor) {
            a.start = qBound(0, a.start, size);
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const int from = qBound(0, qMin(a.start, a.start + a.length), size);
            const int to = qBound(from, qMax(a.start, a.start + a.length), size);
            if (to == from)
                continue;
            a.start = from;
            a.length = to - from;
        }
        sound << a;
    }
    return sound;
}

bool movesTheSelection(const QInputMethodEvent& e)
{
    return std::any_of(e.attributes().begin(), e.attributes().end(), [](const auto& a) {
        return a.type == QInputMethodEvent::Selection;
    });
}

// The characters a key makes, when it makes more than one (a compose key, an
// input method that sends text as keys); else empty.
QString severalCharacters(const QKeyEvent& e, std::optional<int16_t> code)
{
    const QString t = e.text();
    if (t.size() < 2 || !code || *code != static_cast<int16_t>(t.at(0).unicode()))
        return {};
    return t;
}

} // namespace

TextBox::TextBox(QWidget* client) : QLineEdit(client) {}

bool TextBox::event(QEvent* e)
{
    QPointer<TextBox> self(this); // a handler may unload the form
    const bool taken = QLineEdit::event(e);
    // Qt's own Redo (a key or the context menu) can leave the cursor one past
    // the end of the text, and the next key would then type a blank first.
    if (self && cursorPosition() > text().size())
        setCursorPosition(int(text().size()));
    return taken;
}

void TextBox::apply(const TextBoxDesign& d)
{
    setFont(design::font(d.font));
    setColors(this, QPalette::Base, QPalette::Text, d.backColor.value_or(0x00FFFFFF),
              d.foreColor.value_or(0x00000000));
    setAlignment(horizontal(d.align) | Qt::AlignVCenter);
    setReadOnly(d.readOnly);
    setMaxLength(d.maxLength > 0 ? d.maxLength : kNoLengthLimit);
    setToolTip(d.toolTip);
    setFocusPolicy(d.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    placeAt(this, d.place);
    setTabIndex(this, d.tabIndex);
    setVisible(d.visible);
    putText(d.text);
}

void TextBox::putText(const QString& t)
{
    endComposition();
    ++replacements_;
    QLineEdit::setText(t);
}

void TextBox::dropComposition()
{
    if (!composing_)
        return;
    composing_ = false;
    QInputMethodEvent none;
    QLineEdit::inputMethodEvent(&none);
}

void TextBox::endComposition()
{
    if (!composing_)
        return;
    dropComposition();
    // The input method forgets it too, or it would go on composing into a
    // box that no longer shows the composition.
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
}

bool TextBox::passKeyPress(int16_t code, int16_t& result)
{
    result = code;
    if (!KeyPress)
        return true;
    QPointer<TextBox> self(this);
    KeyPress(result);
    return self && result != 0;
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (!preparesACharacter(*event))
        endComposition();
    const std::optional<int16_t> code = keyAscii(*event);
    if (!code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (const QString several = severalCharacters(*event, code); !several.isEmpty()) {
        typeEach(several);
        return;
    }
    int16_t k = 0;
    if (!passKeyPress(*code, k))
        return;
    // A key left as it came does what Qt makes of it (Ctrl+V pastes,
    // Ctrl+Backspace takes a word); a code Qt would not act on is typed here.
    if (k == *code && !erasesOnlyByItsCode(*event, k)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    typeCode(k);
}

void TextBox::typeCode(int16_t k)
{
    if (isReadOnly())
        return;
    // What the handler left in place of the key: Enter adds nothing to a
    // one-line box.
    if (k == 8)
        backspace();
    else if (k != 13)
        insert(QString(QChar(static_cast<char16_t>(k))));
}

bool TextBox::typeEach(const QString& characters)
{
    QPointer<TextBox> self(this);
    for (QChar c : characters) {
        int16_t k = 0;
        if (!self)
            return false;
        if (passKeyPress(static_cast<int16_t>(c.unicode()), k))
            typeCode(k);
    }
    return bool(self);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString committed = event->commitString();
    const auto attributes = withinTheComposition(*event);
    if (isReadOnly() || (committed.isEmpty() && event->replacementLength() == 0)) {
        // The composition alone changes, or the cursor moves: a composition
        // left behind would stay where the cursor was.
        if (movesTheSelection(*event))
            dropComposition();
        QInputMethodEvent sound(event->preeditString(), attributes);
        QLineEdit::inputMethodEvent(&sound);
        composing_ = !isReadOnly() && !event->preeditString().isEmpty();
        return;
    }
    // The input method ends (part of) its composition: the old one goes, the
    // text it takes back goes, then each resulting character passes KeyPress
    // as a typed one would, and what it still composes is shown after them.
    dropComposition();
    if (event->replacementLength() > 0) {
        // Only text the box holds can be taken back; it goes as a selection
        // deleted by hand would.
        const int size = int(text().size());
        const int from = qBound(0, cursorPosition() + event->replacementStart(), size);
        const int length = qMin(event->replacementLength(), size - from);
        if (length > 0) {
            setSelection(from, length);
            del();
        }
    }
    const quint64 replacementsBefore = replacements_;
    if (!typeEach(committed))
        return;
    // A handler that replaced the text has ended the composition with it.
    if (replacements_ != replacementsBefore || event->preeditString().isEmpty())
        return;
    QInputMethodEvent composing(event->preeditString(), attributes);
    QLineEdit::inputMethodEvent(&composing);
    composing_ = true;
}

void TextBox::mousePressEvent(QMouseEvent* event)
{
    // Qt places the cursor by the layout, which counts the composition's
    // characters; without it the cursor could stand past the text's end.
    // A right click ends it too, so that the context menu (which the line
    // edit refuses while a composition is pending) opens.
    endComposition();
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    endComposition();
    QLineEdit::mouseDoubleClickEvent(event);
}

void TextBox::mouseMoveEvent(QMouseEvent* event)
{
    // A drag moves the cursor, as a click does.
    if (event->buttons() != Qt::NoButton)
        endComposition();
    QLineEdit::mouseMoveEvent(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent* event)
{
    // Dragged text places the cursor as a click does.
    endComposition();
    QLineEdit::dragMoveEvent(event);
}

void TextBox::dropEvent(QDropEvent* event)
{
    endComposition();
    QLineEdit::dropEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    endComposition();
    QLineEdit::focusOutEvent(event);
}

// --- MultiLineTextBox --------------------------------------------------------

MultiLineTextBox::MultiLineTextBox(QWidget* client) : QTextEdit(client)
{
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
}

void MultiLineTextBox::apply(const TextBoxDesign& d)
{
    designFont_ = design::font(d.font);
    setFont(designFont_);
    setColors(this, QPalette::Base, QPalette::Text, d.backColor.value_or(0x00FFFFFF),
              d.foreColor.value_or(0x00000000));
    align_ = horizontal(d.align);
    setReadOnly(d.readOnly);
    setToolTip(d.toolTip);
    setFocusPolicy(d.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    setTabChangesFocus(true);
    placeAt(this, d.place);
    setTabIndex(this, d.tabIndex);
    setVisible(d.visible);
    putText(d.text);
}

void MultiLineTextBox::putText(const QString& t)
{
    endComposition();
    if (isReadOnly()) {
        // A number in a read-only box is shown whole: where it is wider than
        // the box ("100" in a box for two digits) it is drawn smaller rather
        // than broken over two lines, of which only the first would show.
        QFont f = designFont_;
        const int room = contentsRect().width() - 2 * int(document()->documentMargin()) - 2;
        while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(t) > room)
            f.setPixelSize(f.pixelSize() - 1);
        QTextEdit::setFont(f);
    }
    setPlainText(t);
    // Every line keeps the box's alignment, also those the user types later.
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(align_);
    document()->setDefaultTextOption(option);
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setAlignment(align_);
    c.mergeBlockFormat(f);
}

namespace {
// Takes a composition out of one line; true if it held one.
bool clearComposition(const QTextBlock& line)
{
    QTextLayout* layout = line.layout();
    if (!layout || layout->preeditAreaText().isEmpty())
        return false;
    layout->setPreeditArea(-1, QString());
    layout->clearFormats();
    return true;
}
} // namespace

bool MultiLineTextBox::clearCompositions()
{
    bool cleared = false;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        cleared |= clearComposition(b);
    if (cleared) {
        // The text control still places its cursor inside the composition.
        QInputMethodEvent cursorAtTheText(QString(), {{QInputMethodEvent::Cursor, 0, 1}});
        QTextEdit::inputMethodEvent(&cursorAtTheText);
    }
    return cleared;
}

void MultiLineTextBox::endComposition()
{
    if (clearCompositions() && hasFocus())
        QGuiApplication::inputMethod()->reset();
}

void MultiLineTextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    clearCompositions();
    // What the input method finishes goes in first, over the selection and
    // in place of the text it takes back (only text the box holds). Qt's own
    // way keeps a line it may just have removed when the text ends a line.
    if (!event->commitString().isEmpty() || event->replacementLength() != 0) {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        const int last = document()->characterCount() - 1;
        const int from = qBound(0, c.position() + event->replacementStart(), last);
        c.setPosition(from);
        c.setPosition(qBound(from, from + event->replacementLength(), last), QTextCursor::KeepAnchor);
        c.insertText(event->commitString());
        c.endEditBlock();
        ensureCursorVisible();
    }
    // Then the selection it moves, within the text, and what it still
    // composes, where the cursor then is.
    auto attributes = withinTheComposition(*event);
    const int last = document()->characterCount() - 1;
    const int line = textCursor().block().position();
    for (auto& a : attributes) {
        if (a.type != QInputMethodEvent::Selection)
            continue;
        const int anchor = qBound(0, line + a.start, last);
        const int position = qBound(0, anchor + a.length, last);
        a.start = anchor - line;
        a.length = position - anchor;
    }
    QInputMethodEvent rest(event->preeditString(), attributes);
    QTextEdit::inputMethodEvent(&rest);
    // A composition stands only in the cursor's line, inside it.
    const QTextBlock current = textCursor().block();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const int at = b.layout()->preeditAreaPosition();
        if (b != current || at < 0 || at >= b.length())
            clearComposition(b);
    }
}

void MultiLineTextBox::keyPressEvent(QKeyEvent* event)
{
    // Any key but one that gets the next character ready ends a composition.
    if (!preparesACharacter(*event))
        endComposition();
    const std::optional<int16_t> code = keyAscii(*event);
    if (!code || !erasesOnlyByItsCode(*event, *code) || isReadOnly()) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor c = textCursor();
    c.deletePreviousChar();
    setTextCursor(c);
}

void MultiLineTextBox::mousePressEvent(QMouseEvent* event)
{
    endComposition();
    QTextEdit::mousePressEvent(event);
}

void MultiLineTextBox::dragMoveEvent(QDragMoveEvent* event)
{
    endComposition();
    QTextEdit::dragMoveEvent(event);
}

void MultiLineTextBox::dropEvent(QDropEvent* event)
{
    endComposition();
    QTextEdit::dropEvent(event);
}

void MultiLineTextBox::focusOutEvent(QFocusEvent* event)
{
    endComposition();
    QTextEdit::focusOutEvent(event);
}

// --- CommandButton -----------------------------------------------------------

CommandButton::CommandButton(QWidget* client) : QToolButton(client)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
    setAutoRaise(false);
    setAutoFillBackground(true);
    connect(this, &QToolButton::clicked, this, [this] {
        if (Click)
            Click();
    });
}

namespace {
// Breaks a caption into lines that fit the width, at blanks only.
QString wrapped(const QString& caption, const QFontMetrics& fm, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(u' ', Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(u'\n');
}
} // namespace

void CommandButton::apply(const ButtonDesign& d)
{
    caption_ = d.caption;
    setFont(design::font(d.font));
    setText(wrapped(d.caption, fontMetrics(), design::px(d.place.width()) - 8));
    if (d.backColor) {
        QPalette p = palette();
        p.setColor(QPalette::Button, design::color(*d.backColor));
        p.setColor(QPalette::Window, design::color(*d.backColor));
        setPalette(p);
    }
    if (!d.picture.isEmpty()) {
        const QPixmap pm(d.picture);
        setIcon(QIcon(pm));
        setIconSize(pm.size());
    }
    placeAt(this, d.place);
    setTabIndex(this, d.tabIndex);
    setVisible(d.visible);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect();
    const bool down = isDown();
    p.fillRect(r, pal.color(QPalette::Button));

    // Picture above caption, the two centred together; pressed, they move
    // one pixel down and right. They stay inside the bevel.
    const QRect inside = r.adjusted(2, 2, -2, -2);
    p.save();
    p.setClipRect(inside);
    const QSize iconSz = icon().isNull() ? QSize() : iconSize();
    const QFontMetrics fm(font());
    // The caption may stand on several lines, wrapped when it was set.
    const int textH = text().isEmpty() ? 0 : fm.height() * int(text().count(u'\n') + 1);
    const int total = iconSz.height() + textH;
    const int shift = down ? 1 : 0;
    int y = r.top() + (r.height() - total) / 2 + shift;
    if (!iconSz.isEmpty()) {
        const QRect iconRect(r.left() + (r.width() - iconSz.width()) / 2 + shift, y,
                             iconSz.width(), iconSz.height());
        icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        y += iconSz.height();
    }
    QRect textRect(r.left() + shift, y, r.width(), textH);
    if (textH) {
        p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, text());
    }
    p.restore();

    if (hasFocus()) {
        QPen dots(pal.color(QPalette::ButtonText));
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }

    // Bevel: light top-left and dark bottom-right when raised, reversed when pressed.
    const QColor light = pal.color(QPalette::Light);
    const QColor dark = pal.color(QPalette::Dark);
    const QColor shadow = pal.color(QPalette::Shadow);
    const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    p.setPen(down ? shadow : light);
    p.drawLine(x0, y0, x1 - 1, y0);
    p.drawLine(x0, y0, x0, y1 - 1);
    p.setPen(down ? light : shadow);
    p.drawLine(x0, y1, x1, y1);
    p.drawLine(x1, y0, x1, y1);
    p.setPen(dark);
    if (down) {
        p.drawLine(x0 + 1, y0 + 1, x1 - 2, y0 + 1);
        p.drawLine(x0 + 1, y0 + 1, x0 + 1, y1 - 2);
    } else {
        p.drawLine(x0 + 1, y1 - 1, x1 - 1, y1 - 1);
        p.drawLine(x1 - 1, y0 + 1, x1 - 1, y1 - 1);
    }
}

// --- Image -------------------------------------------------------------------

Image::Image(QWidget* client) : QLabel(client) { setScaledContents(true); }

void Image::apply(const ImageDesign& d)
{
    setPixmap(QPixmap(d.picture));
    placeAt(this, d.place);
}
