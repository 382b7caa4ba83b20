// LDialog: the base of the program's modal dialogs, with its centring rule.
#pragma once

#include "qv6_ex_export.h"

#include <QDialog>
#include <QRect>

#include <string>

// Where center_dialog puts a dialog inside its reference rectangle.
enum Dialog_Position : unsigned char {
    DP_CENTRE = 0,
    DP_TOP_LEFT = 1,
    DP_TOP_CENTRE = 2,
    DP_TOP_RIGHT = 3,
    DP_BOTTOM_LEFT = 4,
    DP_BOTTOM_CENTRE = 5,
    DP_BOTTOM_RIGHT = 6,
};

// The place of a window of `size` inside `reference` at `position` (centring halves the free
// space, rounding toward zero), kept on a virtual screen of `screen_width` x `screen_height`:
// moved left or up by what passes its right or bottom edge, then a negative left or top becomes
// 0 and the size shrinks by as much. Unknown positions centre.
QV6_EX_EXPORT QRect center_dialog_rect(QSize size, const QRect& reference, int screen_width,
                                       int screen_height, unsigned char position);

class QV6_EX_EXPORT LDialog : public QDialog {
    Q_OBJECT

public:
    // `caption` (may be null: the dialog keeps its own title) is shown as the window title.
    explicit LDialog(QWidget* parent = nullptr, const char* caption = nullptr);

    // Runs when the dialog is first shown: sets the caption when one was given, then calls
    // set_control_sizes. Returns true.
    virtual bool OnInitDialog();
    // Measures and places the controls; nothing in the base.
    virtual void set_control_sizes();

    // Sizes and places the dialog: width and height -1 keep the present size; otherwise the
    // width is at least the caption's and gets the frame added. The reference rectangle is the
    // parent's, or the primary screen without a parent.
    void center_dialog(int width, int height, unsigned char position);

    // The dialog base units (average character width and height of the dialog's font).
    int base_unit_x() const;
    int base_unit_y() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string m_caption;
    bool m_has_caption = false;
    bool m_initialised = false;
};
