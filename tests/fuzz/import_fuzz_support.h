// What the text import fuzz targets share: a presenter that counts the message boxes instead of
// writing them to standard error.
#pragma once

#include "message_presenter.h"

#include <string>

namespace import_fuzz {

class Counting_Presenter : public Message_Presenter {
public:
    Counting_Presenter() { m_previous = set_message_presenter(this); }
    ~Counting_Presenter() override { set_message_presenter(m_previous); }
    Counting_Presenter(const Counting_Presenter&) = delete;
    Counting_Presenter& operator=(const Counting_Presenter&) = delete;

    int show_message(Owner_Window, const std::string& caption, const std::string& text,
                     unsigned style) override {
        ++shown;
        last_caption = caption;
        last_text = text;
        return cautious_answer(style);
    }

    int shown = 0;
    std::string last_caption;
    std::string last_text;

private:
    Message_Presenter* m_previous;
};

} // namespace import_fuzz
