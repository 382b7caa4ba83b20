// Error_Handler, error_handler and the message catalogue.
#include "error_handler.h"
#include "message_catalogue.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

using kelvor_test::Recording_Presenter;

namespace {

TEST(MessageCatalogue, UnknownIdsHaveNoTextAndCopiesStayInTheBuffer) {
    EXPECT_EQ(catalogue_text(103), nullptr);
    EXPECT_EQ(catalogue_text(0), nullptr);
    EXPECT_EQ(catalogue_text(-5), nullptr);
    EXPECT_STREQ(catalogue_text(MSG_CURVE_TYPE_EXISTS), "This curve type already exists.");

    char buffer[8];
    EXPECT_EQ(get_error_string(102, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "Error");
    EXPECT_EQ(get_error_string(101, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "File er");
    std::strcpy(buffer, "junk");
    EXPECT_EQ(get_error_string(9999, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(get_error_string(101, buffer, 0), 0);
}

TEST(ErrorHandler, EmptyHandlerShowsNothing) {
    Recording_Presenter presenter;
    Error_Handler handler;
    EXPECT_EQ(handler.get_errormsg(), nullptr);
    EXPECT_EQ(handler.show_errormsg(nullptr, false), 0);
    EXPECT_TRUE(presenter.shown.empty());
}

// What a handler set up by `arm` shows.
struct Shown_Case {
    const char* name;
    std::function<void(Error_Handler&)> arm;
    const char* caption;
    std::string text;
    unsigned style;
};

TEST(ErrorHandler, CaptionTextAndIconFollowTheTypeAndCode) {
    const unsigned stop = BOX_OK | BOX_ICON_STOP;
    const Shown_Case cases[] = {
        {"system error", [](Error_Handler& h) { h.init_fileio("/data/radio.raf"), h.set_last_error_code(ENOENT); },
         "File error", "/data/radio.raf\r\nNo such file or directory", stop},
        {"catalogue code", [](Error_Handler& h) { h.init_fileio("a.rsd"), h.set_error_code(MSG_READ_ERROR_AT_EOF); },
         "File error", "a.rsd\r\nRead error at end of file", stop},
        // A pending system error wins over the catalogue text.
        {"both", [](Error_Handler& h) {
             h.init_fileio("a.rsd"), h.set_error_code(MSG_READ_ERROR_AT_EOF), h.set_last_error_code(EIO);
         },
         "File error", "a.rsd\r\nInput/output error", stop},
        {"error", [](Error_Handler& h) { h.init(ET_ERROR, MSG_WRONG_FILE_FORMAT, nullptr); },
         "Error", "Wrong file format", stop},
        {"warning", [](Error_Handler& h) { h.init(ET_WARNING, MSG_WRONG_FILE_FORMAT, ""); },
         "Warning", "Wrong file format", BOX_OK | BOX_ICON_EXCLAMATION},
        {"status", [](Error_Handler& h) { h.init(ET_STATUS, MSG_WRONG_FILE_FORMAT, "x"); },
         "Status information", "x\r\nWrong file format", BOX_OK | BOX_ICON_INFORMATION},
        {"cancelled", [](Error_Handler& h) { h.init(ET_WARNING, MSG_OPERATION_CANCELED, nullptr); },
         "Status information", "Operation canceled", BOX_OK | BOX_ICON_INFORMATION},
        {"system error id", [](Error_Handler& h) { h.init(ET_ERROR, MSG_SYSTEM_ERROR, nullptr); },
         "Error", "File error", stop},
        {"syntax line", [](Error_Handler& h) {
             h.init(ET_ERROR, MSG_SYNTAX_ERROR_ON_LINE, "r.raf"), h.set_line_number(12);
         },
         "File error", "r.raf\r\nSyntax error on line 12", stop},
        {"unknown system error", [](Error_Handler& h) { h.init_fileio("f"), h.set_last_error_code(0x7FFF0000); },
         "File error", "f\r\n", stop},
        {"info line", [](Error_Handler& h) {
             h.init(ET_WARNING, MSG_WRONG_FILE_FORMAT, "w.asd"), h.set_info_buff("made by another program");
         },
         "Warning", "w.asd\r\nWrong file format\r\nmade by another program", BOX_OK | BOX_ICON_EXCLAMATION},
    };
    for (const Shown_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recording_Presenter presenter;
        Error_Handler handler;
        c.arm(handler);
        EXPECT_EQ(handler.show_errormsg(nullptr, false), ID_OK);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.last().caption, c.caption);
        EXPECT_EQ(presenter.last().text, c.text);
        EXPECT_EQ(presenter.last().style, c.style);
    }
}

TEST(ErrorHandler, ShowingKeepsTheStateAndTheMessage) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init_fileio("/data/radio.raf");
    handler.set_last_error_code(ENOENT);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
    EXPECT_STREQ(handler.get_errormsg(), "File error - /data/radio.raf\nNo such file or directory\n");

    handler.init(ET_WARNING, MSG_OPERATION_CANCELED, nullptr);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(handler.get_error_type(), ET_STATUS);
    handler.init(ET_ERROR, MSG_SYSTEM_ERROR, nullptr);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(handler.get_error_code(), MSG_FILE_ERROR);
    handler.init(ET_ERROR, 9999, nullptr);
    EXPECT_STREQ(handler.get_errormsg(), "Error\n\n");
    handler.init(ET_WARNING, MSG_WRONG_FILE_FORMAT, "w.asd");
    handler.set_info_buff("made by another program");
    EXPECT_STREQ(handler.get_errormsg(), "Warning - w.asd\nWrong file format\nmade by another program\n");
}

TEST(ErrorHandler, AskToContinueUsesQuestionWhateverTheType) {
    for (int answer : {ID_YES, ID_NO}) {
        Recording_Presenter presenter(answer);
        Error_Handler handler;
        handler.init(ET_STATUS, MSG_FILE_SIZE_ZERO, "empty.raf");
        EXPECT_EQ(handler.show_errormsg(nullptr, true), answer);
        EXPECT_EQ(presenter.last().style, BOX_YES_NO | BOX_ICON_QUESTION);
        EXPECT_EQ(presenter.last().text, "empty.raf\r\nFile size is zero bytes\r\nContinue ?");
    }
}

TEST(ErrorHandler, InfoLineClearAndLongNames) {
    Error_Handler handler;
    handler.set_info_buff(static_cast<const char*>(nullptr));
    EXPECT_EQ(handler.get_info_text(), nullptr);
    // Catalogue texts taken as the info line are cut to 127 characters.
    handler.set_info_buff(MSG_INVALID_RADIO_SUFFIX);
    ASSERT_NE(handler.get_info_text(), nullptr);
    EXPECT_EQ(std::strlen(handler.get_info_text()), 127u);
    EXPECT_EQ(std::string(catalogue_text(MSG_INVALID_RADIO_SUFFIX)).substr(0, 127),
              handler.get_info_text());

    // Clearing the buffers keeps type, code and line.
    handler.init(ET_WARNING, MSG_SYNTAX_ERROR_ON_LINE, "file");
    handler.set_line_number(7);
    handler.set_last_error_code(EACCES);
    handler.set_info_buff("info");
    ASSERT_NE(handler.get_errormsg(), nullptr);
    handler.clear_buffs();
    EXPECT_EQ(handler.get_error_type(), ET_WARNING);
    EXPECT_EQ(handler.get_error_code(), MSG_SYNTAX_ERROR_ON_LINE);
    EXPECT_EQ(handler.get_line_number(), 7);
    EXPECT_EQ(handler.get_last_error_code(), 0u);
    EXPECT_STREQ(handler.get_file_name(), "");
    EXPECT_EQ(handler.get_info_text(), nullptr);
    EXPECT_EQ(handler.get_full_message(), nullptr);
    EXPECT_EQ(handler.get_caption_text(), nullptr);

    handler.init_fileio(std::string(3000, 'n').c_str());
    EXPECT_EQ(std::strlen(handler.get_file_name()), 1023u);
    handler.set_file_name(nullptr);
    EXPECT_STREQ(handler.get_file_name(), "");
}

TEST(ErrorHandlerFunction, CaptionStyleContextAndContinue) {
    Recording_Presenter presenter(ID_YES);
    const std::string long_context(5000, 'c');
    const struct {
        int id;
        int caption_id;
        const char* context;
        int line;
        bool ask;
        const char* caption;
        std::string text;
        unsigned style;
    } cases[] = {
        {MSG_SAME_DISTANCE, MSG_DATA_ENTRY_ERROR, nullptr, -1, false, "Data entry error",
         "Same distance used for two points", BOX_OK | BOX_ICON_STOP},
        {MSG_WRONG_FILE_FORMAT, MSG_STATUS_INFORMATION, "", -1, false, "Status information",
         "Wrong file format", BOX_OK | BOX_ICON_INFORMATION},
        {MSG_WRONG_FILE_FORMAT, MSG_WARNING, "", -1, false, "Warning", "Wrong file format",
         BOX_OK | BOX_ICON_EXCLAMATION},
        {MSG_SYNTAX_ERROR_ON_LINE, MSG_FILE_ERROR, "radio.raf", 12, false, "File error",
         "radio.raf\r\nSyntax error on line 12", BOX_OK | BOX_ICON_STOP},
        // An empty context shows the message alone, not an empty first line.
        {MSG_SYNTAX_ERROR_ON_LINE, MSG_ERROR, "", 12, true, "Error",
         "Syntax error on line 12\r\nContinue?", BOX_YES_NO | BOX_ICON_QUESTION},
        {MSG_INVALID_RADIO_SUFFIX, MSG_FILE_ERROR, "x.txt", -1, true, "File error",
         std::string("x.txt\r\n") + catalogue_text(MSG_INVALID_RADIO_SUFFIX) + "\r\nContinue?",
         BOX_YES_NO | BOX_ICON_QUESTION},
        // A long context is cut to the buffer.
        {MSG_WRONG_FILE_FORMAT, MSG_FILE_ERROR, long_context.c_str(), -1, false, "File error",
         long_context.substr(0, 1023), BOX_OK | BOX_ICON_STOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_EQ(error_handler(nullptr, c.id, c.caption_id, c.context, c.line, c.ask), ID_YES);
        EXPECT_EQ(presenter.last().caption, c.caption);
        EXPECT_EQ(presenter.last().text, c.text);
        EXPECT_EQ(presenter.last().style, c.style);
    }
    // The system message is the one of errno at the call.
    errno = EACCES;
    error_handler(nullptr, MSG_SYSTEM_ERROR, MSG_FILE_ERROR, "locked.rsd", -1, false);
    EXPECT_EQ(presenter.last().text, "locked.rsd\r\nPermission denied");
}

TEST(ConsolePresenter, AnswersCautiously) {
    EXPECT_EQ(cautious_answer(BOX_YES_NO | BOX_ICON_QUESTION), ID_NO);
    EXPECT_EQ(cautious_answer(BOX_YES_NO_CANCEL), ID_CANCEL);
    EXPECT_EQ(cautious_answer(BOX_OK | BOX_ICON_STOP), ID_OK);

    Console_Presenter console;
    testing::internal::CaptureStderr();
    const int answer = console.show_message(nullptr, "File error", "a.raf\r\nGone\r\nContinue ?",
                                            BOX_YES_NO | BOX_ICON_QUESTION);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, ID_NO);
    EXPECT_EQ(printed, "File error: a.raf\nGone\nContinue ?\n");
}

} // namespace
