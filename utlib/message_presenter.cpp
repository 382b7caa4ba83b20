// The replaceable message presenter and its console default.
#include "message_presenter.h"

#include <cstdio>
#include <mutex>

namespace {

Console_Presenter console_presenter;
Message_Presenter* current_presenter = &console_presenter;
// One message at a time, whichever thread of a batch has it; recursive, as a dialog's event loop
// may show another message from the same thread.
std::recursive_mutex presenting;

} // namespace

Message_Presenter::~Message_Presenter() = default;

int Message_Presenter::show_detailed_message(Owner_Window owner, const std::string& caption,
                                             const std::string& text, const std::string& details,
                                             unsigned style) {
    return show_message(owner, caption, text + "\r\n\r\n" + details, style);
}

int cautious_answer(unsigned style) {
    switch (style & BOX_BUTTON_MASK) {
    case BOX_YES_NO:
        return ID_NO;
    case BOX_YES_NO_CANCEL:
        return ID_CANCEL;
    default:
        return ID_OK;
    }
}

std::string to_display_lines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

int Console_Presenter::show_message(Owner_Window, const std::string& caption,
                                    const std::string& text, unsigned style) {
    std::string body = to_display_lines(text);
    while (!body.empty() && body.back() == '\n') {
        body.pop_back();
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), body.c_str());
    std::fflush(stderr);
    return cautious_answer(style);
}

Message_Presenter* set_message_presenter(Message_Presenter* presenter) {
    Message_Presenter* previous = current_presenter;
    current_presenter = presenter ? presenter : &console_presenter;
    return previous;
}

int show_message_box(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style) {
    const std::lock_guard lock(presenting);
    return current_presenter->show_message(owner, caption, text, style);
}

int show_message_box(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style, const std::string& details) {
    if (details.empty()) {
        return show_message_box(owner, caption, text, style);
    }
    const std::lock_guard lock(presenting);
    return current_presenter->show_detailed_message(owner, caption, text, details, style);
}
