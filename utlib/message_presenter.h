// How the utility library shows a message box: through one replaceable presenter.
#pragma once

#include "qv6_ut_export.h"

#include <string>

// The window that owns a message box; null for none. The GUI reads it as a QWidget*.
using Owner_Window = void*;

// Button and icon bits of a message box style, with the values the suite has always used.
inline constexpr unsigned BOX_OK = 0;
inline constexpr unsigned BOX_YES_NO_CANCEL = 3;
inline constexpr unsigned BOX_YES_NO = 4;
inline constexpr unsigned BOX_BUTTON_MASK = 0x0F;
inline constexpr unsigned BOX_ICON_STOP = 16;
inline constexpr unsigned BOX_ICON_QUESTION = 32;
inline constexpr unsigned BOX_ICON_EXCLAMATION = 48;
inline constexpr unsigned BOX_ICON_INFORMATION = 64;
inline constexpr unsigned BOX_ICON_MASK = 0xF0;

// Message box answers.
inline constexpr int ID_OK = 1;
inline constexpr int ID_CANCEL = 2;
inline constexpr int ID_YES = 6;
inline constexpr int ID_NO = 7;

// Shows one modal message and returns the button chosen (ID_OK, ID_CANCEL, ID_YES, ID_NO).
// Texts use "\r\n" between lines, as they are composed; a presenter shows them as line breaks.
class QV6_UT_EXPORT Message_Presenter {
public:
    virtual ~Message_Presenter();
    virtual int show_message(Owner_Window owner, const std::string& caption,
                             const std::string& text, unsigned style) = 0;
    // The same with details the user may open below the text (a list of files, say). This one
    // shows them after the text, a blank line between.
    virtual int show_detailed_message(Owner_Window owner, const std::string& caption,
                                      const std::string& text, const std::string& details,
                                      unsigned style);
};

// The presenter used until the program installs its own: it writes the caption and the text to
// standard error and gives the cautious answer (No to a Yes/No question, Cancel where Cancel is
// offered), so a headless run never goes on past a question nobody could answer.
class QV6_UT_EXPORT Console_Presenter : public Message_Presenter {
public:
    int show_message(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style) override;
};

// Installs `presenter` (not owned; null restores the console presenter) and returns the one it
// replaces, so that a caller can put it back.
QV6_UT_EXPORT Message_Presenter* set_message_presenter(Message_Presenter* presenter);

// Shows a message box through the installed presenter.
QV6_UT_EXPORT int show_message_box(Owner_Window owner, const std::string& caption,
                                   const std::string& text, unsigned style);

// The same with details (shown as the presenter shows them; none when `details` is empty).
QV6_UT_EXPORT int show_message_box(Owner_Window owner, const std::string& caption,
                                   const std::string& text, unsigned style,
                                   const std::string& details);

// The answer a presenter gives when nobody can be asked: No, Cancel where offered, else OK.
QV6_UT_EXPORT int cautious_answer(unsigned style);

// Turns "\r\n" (and lone "\r") into "\n", for output on a terminal or in a widget.
QV6_UT_EXPORT std::string to_display_lines(const std::string& text);
