// The control kinds a form is built from. The convention for events: an event is one assignable callable
// on the control (`form.按钮7.clicked = [&] { ... };`); an unassigned event does nothing, and no event is
// raised once the program is ending (silenceEvents).
#pragma once

#include "ui/handle.h"
#include "ui/image.h"
#include "ui/layout.h"
#include "ui/window.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>

namespace ui {

// The message a hidden label turns into its feedback event: wParam and lParam in, the handler's result out.
inline constexpr UINT kFeedbackMessage = 0x8075;

class Control : public Window {
public:
    const Row& row() const { return *row_; }
    // The command and timer id the form gave this control.
    int id() const { return id_; }

protected:
    friend class Form;
    // Creates the control for its row; `parent` and `place` are already resolved (group boxes give their
    // children to the form, picture boxes keep theirs).
    virtual void create(Form& form, HWND parent, POINT place) = 0;
    // WM_COMMAND notifications the parent reflects back to the control.
    virtual void command(WORD) {}
    // WM_CTLCOLOR* reflected from the parent; nullptr leaves the default colours.
    virtual HBRUSH colours(HDC) { return nullptr; }
    // The form's window is going: forget what lived with it.
    virtual void formDestroyed() { background_.reset(); }

    // A standard control: the class is the system's, the object stays reachable through the form.
    HWND createStandard(Form& form, const wchar_t* className, DWORD style, DWORD exStyle, HWND parent,
                        POINT place);
    // One of our own self-drawn classes, registered on first use; visible unless the kind says otherwise.
    HWND createOwn(Form& form, const wchar_t* className, DWORD style, HWND parent, POINT place);
    // The form's DPI changed: the form has placed the window; take the fonts and pens of the new DPI.
    virtual void rescaled(Form& form);
    HBRUSH backgroundBrush();

    const Row* row_ = nullptr;
    int id_ = 0;

private:
    Brush background_;
};

// The text of any window.
std::wstring windowText(HWND window);

template <class Event, class... Args> void raise(const Event& event, Args... args) {
    if (event && !eventsSilenced())
        event(args...);
}

class PictureBox : public Control {
public:
    std::function<void(int x, int y)> leftPressed;
    std::function<void(int x, int y)> leftReleased;

    COLORREF background() const { return background_; }
    void setBackground(COLORREF colour);
    // PNG or cursor-file bytes; empty bytes remove the picture. False if the bytes are neither.
    bool setPicture(std::span<const std::byte> file);
    const Image& picture() const { return picture_; }
    // The first image of a cursor file becomes the pointer over the box. False if the bytes are no cursor.
    bool setMousePointer(std::span<const std::byte> cursorFile);
    HCURSOR mousePointer() const { return pointer_.get(); }

protected:
    void create(Form& form, HWND parent, POINT place) override;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void formDestroyed() override;

private:
    void paint(HDC dc, const RECT& client) const;
    COLORREF background_ = kButtonFace;
    Image picture_;
    Icon pointer_;
};

class Canvas : public Control {
public:
    COLORREF background() const { return background_; }
    // A line with the canvas's pen and drawing mode, through a DC taken for it and given back at once.
    void line(POINT from, POINT to);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void rescaled(Form& form) override;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void formDestroyed() override {
        Control::formDestroyed();
        pen_.reset();
    }

private:
    COLORREF background_ = kButtonFace;
    Pen pen_;
};

class TransparentLabel : public Control {
public:
    std::wstring text() const;
    void setText(const std::wstring& text);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void rescaled(Form& form) override;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc, const RECT& client) const;
    HFONT font_ = nullptr;
};

class Edit : public Control {
public:
    std::wstring text() const;
    void setText(const std::wstring& text);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    HBRUSH colours(HDC dc) override;
};

class Button : public Control {
public:
    std::function<void()> clicked;
    std::wstring caption() const;
    void setCaption(const std::wstring& caption);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void command(WORD code) override;
};

class CheckBox : public Control {
public:
    std::function<void()> clicked;
    bool checked() const;
    void setChecked(bool checked);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void command(WORD code) override;
    HBRUSH colours(HDC dc) override;
};

class ComboBox : public Control {
public:
    // The selected item's index, -1 for none.
    int currentItem() const;
    void setCurrentItem(int index);
    int itemCount() const;
    std::wstring item(int index) const;

protected:
    void create(Form& form, HWND parent, POINT place) override;
};

class GroupBox : public Control {
protected:
    void create(Form& form, HWND parent, POINT place) override;
    HBRUSH colours(HDC dc) override;
};

class Hyperlink : public Control {
public:
    std::function<void(int x, int y)> leftPressed;
    std::function<void(int x, int y)> leftReleased;

    COLORREF normalColour() const { return normal_; }
    void setNormalColour(COLORREF colour);
    bool hovered() const { return hovered_; }

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void rescaled(Form& form) override;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc, const RECT& client) const;
    COLORREF normal_ = 0;
    bool hovered_ = false;
    bool visited_ = false;
    HFONT font_ = nullptr;
};

// Never shown; receives the feedback message and raises its feedback event.
class Label : public Control {
public:
    std::function<LRESULT(WPARAM, LPARAM)> feedback;

protected:
    void create(Form& form, HWND parent, POINT place) override;
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class Timer : public Control {
public:
    std::function<void()> periodic;

    int period() const { return period_; }
    // 0 stops; the current period changes nothing; any other period restarts the timer, first tick one
    // period later. Negative periods stop it too.
    void setPeriod(int milliseconds);

protected:
    void create(Form& form, HWND parent, POINT place) override;
    void formDestroyed() override {
        owner_ = nullptr;
        period_ = 0;
    }

private:
    HWND owner_ = nullptr;
    int period_ = 0;
};

class MenuItem : public Control {
public:
    std::function<void()> selected;

protected:
    void create(Form&, HWND, POINT) override {}
    void command(WORD code) override;
};

// A popup menu whose entries are the rows that name it as their parent; built anew for each pop-up.
class PopupMenu : public Control {
public:
    // TrackPopupMenu with the form as owner; the chosen entry arrives later as a command message.
    void popUp(UINT flags, int x, int y);
    void popUpAtCursor();

protected:
    void create(Form& form, HWND, POINT) override { form_ = &form; }

private:
    Form* form_ = nullptr;
};

} // namespace ui
