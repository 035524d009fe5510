#pragma once

#include "runtime/design.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Form;

enum class BorderStyle { FixedSingle, Sizable };

struct FormDesign {
    int clientWidth;  // twips
    int clientHeight; // twips
    std::optional<uint32_t> backColor;
    BorderStyle border = BorderStyle::Sizable;
};

// What a form needs from the program that owns it.
class FormHost {
public:
    virtual ~FormHost() = default;
    // The window manager asked to close the window (Alt+F4): unload the form.
    virtual void closeRequested(Form* form) = 0;
};

// A window without a title bar: a border drawn by the form itself around a
// client area that holds the controls. Height and Width are the outer size.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(FormHost& host, const FormDesign& d);

    QWidget* client() const { return client_; }

    int Height() const { return design::twips(height()); }
    int Width() const { return design::twips(width()); }
    void setHeight(int twips);
    void setWidth(int twips);
    int borderWidth() const { return border_; }

    // Runs after the controls stand in their design state.
    virtual void Form_Load() {}

    // Tab order from the controls' TabIndex values.
    void applyTabOrder();
    // Visible, centred the first time, in front and active; the first control
    // in tab order takes the focus if none has it.
    void showModeless();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void setOuterSize(const QSize& size);
    Qt::Edges edgesAt(const QPoint& p) const;
    // The client's controls that take part in the tab order, by TabIndex.
    std::vector<QWidget*> tabOrder() const;

    FormHost& host_;
    QWidget* client_;
    BorderStyle style_;
    int border_;
    bool placed_ = false;
    bool activeWhenBlocked_ = false;
    // A drag of the border that the form carries out itself, where no
    // window manager does it.
    Qt::Edges dragEdges_;
    QPoint dragFrom_;
    QRect dragGeometry_;
};

// The single instance of one form: made on Load, destroyed on Unload, made
// anew in its design state by the next Load.
class FormSlotBase {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;
    explicit FormSlotBase(Factory make) : make_(std::move(make)) {}
    ~FormSlotBase();
    FormSlotBase(const FormSlotBase&) = delete;
    FormSlotBase& operator=(const FormSlotBase&) = delete;

    // Nothing if loaded; otherwise builds the window and runs its Form_Load.
    void Load();
    // Loads if needed, then shows modeless.
    void Show();
    // Nothing if not loaded. Safe from any handler, the form's own included:
    // the window is hidden at once and deleted when control returns to the loop.
    void Unload();
    bool isLoaded() const { return form_ != nullptr; }

    // Outer size in twips; naming the size loads the form, as naming any
    // property of a form does.
    int Height();
    int Width();
    void setHeight(int twips);
    void setWidth(int twips);

    Form* form() const { return form_.get(); }

private:
    Factory make_;
    std::unique_ptr<Form> form_;
};

template <typename T>
class FormSlot : public FormSlotBase {
public:
    using FormSlotBase::FormSlotBase;
    // Naming a form's control loads the form.
    T* operator->()
    {
        Load();
        return static_cast<T*>(form());
    }
    T* get() const { return static_cast<T*>(form()); }
};
