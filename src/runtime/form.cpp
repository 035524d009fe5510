#include "runtime/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {
// Border widths in pixels: a sizable frame is 4 px (60 twips) on each side,
// a fixed single one 1 px.
int borderPixels(BorderStyle s) { return s == BorderStyle::Sizable ? 4 : 1; }
} // namespace

Form::Form(FormHost& host, const FormDesign& d)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      host_(host),
      client_(new QWidget(this)),
      style_(d.border),
      border_(borderPixels(d.border))
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_->setAutoFillBackground(true);
    if (d.backColor) {
        QPalette p = client_->palette();
        p.setColor(QPalette::Window, design::color(*d.backColor));
        client_->setPalette(p);
    }
    if (style_ == BorderStyle::Sizable)
        setMouseTracking(true);
    setOuterSize(QSize(design::px(d.clientWidth) + 2 * border_,
                       design::px(d.clientHeight) + 2 * border_));
}

void Form::setHeight(int twips) { setOuterSize(QSize(width(), design::px(twips))); }
void Form::setWidth(int twips) { setOuterSize(QSize(design::px(twips), height())); }

void Form::setOuterSize(const QSize& size)
{
    // A fixed border tells the window manager so through equal least and
    // greatest sizes: it then neither resizes nor maximises the window.
    if (style_ == BorderStyle::FixedSingle)
        setFixedSize(size);
    else
        resize(size);
}

std::vector<QWidget*> Form::tabOrder() const
{
    std::vector<std::pair<int, QWidget*>> order;
    for (QWidget* w : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant t = w->property("tabIndex");
        if (t.isValid() && w->focusPolicy() != Qt::NoFocus)
            order.emplace_back(t.toInt(), w);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<QWidget*> widgets;
    for (const auto& entry : order)
        widgets.push_back(entry.second);
    return widgets;
}

void Form::applyTabOrder()
{
    const std::vector<QWidget*> order = tabOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form::showModeless()
{
    if (!placed_) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = rect();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    if (QWindow* w = windowHandle())
        w->installEventFilter(this);
    if (!focusWidget()) {
        // The control lowest in tab order that can take the focus.
        for (QWidget* w : tabOrder())
            if (w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::OtherFocusReason);
                break;
            }
    }
}

void Form::closeEvent(QCloseEvent* event)
{
    // The form decides when it goes: the window manager's close is an Unload.
    event->ignore();
    host_.closeRequested(this);
}

void Form::resizeEvent(QResizeEvent*)
{
    client_->setGeometry(border_, border_, qMax(0, width() - 2 * border_),
                         qMax(0, height() - 2 * border_));
}

void Form::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette pal = palette();
    if (style_ == BorderStyle::FixedSingle) {
        p.fillRect(rect(), pal.color(QPalette::Shadow));
        return;
    }
    // A raised frame: light outer edge top-left, dark bottom-right.
    p.fillRect(rect(), pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

Qt::Edges Form::edgesAt(const QPoint& pos) const
{
    Qt::Edges e;
    if (style_ != BorderStyle::Sizable)
        return e;
    if (pos.x() < border_)
        e |= Qt::LeftEdge;
    if (pos.x() >= width() - border_)
        e |= Qt::RightEdge;
    if (pos.y() < border_)
        e |= Qt::TopEdge;
    if (pos.y() >= height() - border_)
        e |= Qt::BottomEdge;
    return e;
}

bool Form::event(QEvent* event)
{
    // A message box closes: the form it came over takes the keyboard back.
    // Without a window manager nobody else would give it.
    if (event->type() == QEvent::WindowBlocked) {
        activeWhenBlocked_ = isActiveWindow();
    } else if (event->type() == QEvent::WindowUnblocked) {
        if (activeWhenBlocked_ && isVisible())
            activateWindow();
        activeWhenBlocked_ = false;
    }
    return QWidget::event(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    // A click anywhere on the window brings it forward and gives it the
    // keyboard, which without a window manager nothing else does.
    if (watched == windowHandle() && event->type() == QEvent::MouseButtonPress) {
        raise();
        if (!isActiveWindow())
            activateWindow();
    }
    return QWidget::eventFilter(watched, event);
}

void Form::mousePressEvent(QMouseEvent* event)
{
    const Qt::Edges e = edgesAt(event->position().toPoint());
    if (e && event->button() == Qt::LeftButton && windowHandle() &&
        !windowHandle()->startSystemResize(e)) {
        dragEdges_ = e;
        dragFrom_ = event->globalPosition().toPoint();
        dragGeometry_ = geometry();
    }
    QWidget::mousePressEvent(event);
}

void Form::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragEdges_ = {};
    QWidget::mouseReleaseEvent(event);
}

void Form::mouseMoveEvent(QMouseEvent* event)
{
    if (dragEdges_ && (event->buttons() & Qt::LeftButton)) {
        // The opposite edges stay put; the window keeps room for its border.
        const QPoint d = event->globalPosition().toPoint() - dragFrom_;
        const int least = 2 * border_ + 1;
        QRect g = dragGeometry_;
        if (dragEdges_ & Qt::LeftEdge)
            g.setLeft(qMin(g.left() + d.x(), g.right() - least + 1));
        if (dragEdges_ & Qt::RightEdge)
            g.setRight(qMax(g.right() + d.x(), g.left() + least - 1));
        if (dragEdges_ & Qt::TopEdge)
            g.setTop(qMin(g.top() + d.y(), g.bottom() - least + 1));
        if (dragEdges_ & Qt::BottomEdge)
            g.setBottom(qMax(g.bottom() + d.y(), g.top() + least - 1));
        setGeometry(g);
        QWidget::mouseMoveEvent(event);
        return;
    }
    const Qt::Edges e = edgesAt(event->position().toPoint());
    if ((e & Qt::LeftEdge && e & Qt::TopEdge) || (e & Qt::RightEdge && e & Qt::BottomEdge))
        setCursor(Qt::SizeFDiagCursor);
    else if ((e & Qt::RightEdge && e & Qt::TopEdge) || (e & Qt::LeftEdge && e & Qt::BottomEdge))
        setCursor(Qt::SizeBDiagCursor);
    else if (e & (Qt::LeftEdge | Qt::RightEdge))
        setCursor(Qt::SizeHorCursor);
    else if (e & (Qt::TopEdge | Qt::BottomEdge))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

// --- FormSlotBase ------------------------------------------------------------

FormSlotBase::~FormSlotBase() = default;

void FormSlotBase::Load()
{
    if (form_)
        return;
    form_ = make_();
    form_->applyTabOrder();
    form_->Form_Load();
}

void FormSlotBase::Show()
{
    Load();
    form_->showModeless();
}

void FormSlotBase::Unload()
{
    if (!form_)
        return;
    Form* gone = form_.release();
    gone->hide();
    gone->deleteLater();
}

int FormSlotBase::Height()
{
    Load();
    return form_->Height();
}

int FormSlotBase::Width()
{
    Load();
    return form_->Width();
}

void FormSlotBase::setHeight(int twips)
{
    Load();
    form_->setHeight(twips);
}

void FormSlotBase::setWidth(int twips)
{
    Load();
    form_->setWidth(twips);
}
