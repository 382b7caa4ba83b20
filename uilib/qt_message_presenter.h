// The message presenter of the desktop program: a modal QMessageBox.
#pragma once

#include "message_presenter.h"
#include "qv6_ex_export.h"

class QV6_EX_EXPORT Qt_Message_Presenter : public Message_Presenter {
public:
    // Shows the caption and text (line breaks as lines) with the buttons and icon of `style`,
    // over `owner` (a QWidget*, or the active window when null). Escape answers Cancel where it
    // is offered, else No, else OK. Without a running application it gives the cautious answer.
    int show_message(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style) override;
};
