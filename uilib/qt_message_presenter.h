// The message presenter of the desktop program: a modal QMessageBox.
#pragma once

#include "message_presenter.h"
#include "qv6_ex_export.h"

#include <QPointer>
#include <QWidget>

class QV6_EX_EXPORT Qt_Message_Presenter : public Message_Presenter {
public:
    // Shows the caption and text (line breaks as lines) with the buttons and icon of `style`,
    // centred over `owner` (a QWidget*; when null, over the main window, or the active window
    // before there is one). Escape answers Cancel where it is offered, else No, else OK. Without
    // a running application it gives the cautious answer. Texts are UTF-8.
    int show_message(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style) override;
    // The same box with a "Show Details..." button that opens `details` below the text.
    int show_detailed_message(Owner_Window owner, const std::string& caption,
                              const std::string& text, const std::string& details,
                              unsigned style) override;

    // The window a box without an owner is centred on.
    void set_main_window(QWidget* window) { m_main_window = window; }

private:
    int show_box(Owner_Window owner, const std::string& caption, const std::string& text,
                 const std::string& details, unsigned style);

    QPointer<QWidget> m_main_window;
};
