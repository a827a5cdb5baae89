// A window's layout is a table of rows, one per control; the window is built from it and the layout
// tests walk the same table over the live controls.
#pragma once

#include "ui/window.h"

namespace ui {

class Control;
class Form;

enum class Kind {
    PictureBox,       // self-drawn: background colour, a centred picture, a mouse pointer
    Canvas,           // self-drawn: drawn on straight through its DC, keeps no image
    TransparentLabel, // self-drawn: text only, over whatever its parent shows
    Edit,
    Button,
    CheckBox,
    ComboBox,
    GroupBox,
    Hyperlink, // self-drawn link text with hover colour and hand cursor
    Label,     // hidden; only receives feedback messages
    Timer,
    Menu, // a popup menu; its items name it as their parent
    MenuItem,
};

// Font heights are LOGFONT heights of the standard face; 0 gives no font.
inline constexpr int kStandardFont = -12;

struct Row {
    const char* name; // form name
    Control& (*control)(Form&);
    Kind kind;
    const char* parent = nullptr;            // group box, picture box or menu the control sits in
    int x = 0, y = 0, width = 0, height = 0; // place relative to the parent
    const wchar_t* text = L"";               // a combo box's items, separated by '\n'
    int font = kStandardFont;
    COLORREF back = kButtonFace;
    COLORREF fore = RGB(0, 0, 0);
    COLORREF hover = RGB(0, 0, 0); // a hyperlink's colour under the pointer
    DWORD style = 0;               // styles beyond the ones the kind always has
    DWORD exStyle = 0;
    // A timer's design period, a check box's initial state, a combo box's selected item.
    int value = 0;
};

// The window-level settings of a form.
struct FormSpec {
    const wchar_t* title;
    DWORD style;
    DWORD exStyle;
    int width, height; // outer size; the window starts centred on the primary screen
    COLORREF background;
    int icon = 0;         // icon resource id, 0 for none
    bool activate = true; // whether showing the window makes it the active window
};

namespace detail {
template <class T> struct MemberOf;
template <class C, class M> struct MemberOf<M C::*> { using Class = C; };
} // namespace detail

// The accessor a row uses to reach its control in the form struct: field<&MainWindow::red>.
template <auto Member> Control& field(Form& form) {
    using FormType = typename detail::MemberOf<decltype(Member)>::Class;
    return static_cast<FormType&>(form).*Member;
}

} // namespace ui
