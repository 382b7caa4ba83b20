// Error_Handler, error_handler and the message catalogue.
#include "error_handler.h"
#include "message_catalogue.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

using kelvor_test::Recording_Presenter;

namespace {

TEST(MessageCatalogue, UnknownIdsHaveNoText) {
    EXPECT_EQ(catalogue_text(103), nullptr);
    EXPECT_EQ(catalogue_text(0), nullptr);
    EXPECT_EQ(catalogue_text(-5), nullptr);
    EXPECT_STREQ(catalogue_text(MSG_CURVE_TYPE_EXISTS), "This curve type already exists.");
}

TEST(MessageCatalogue, GetErrorStringCopiesWithinTheBuffer) {
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

TEST(ErrorHandler, SystemErrorShowsFileAndSystemText) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init_fileio("/data/radio.raf");
    handler.set_last_error_code(ENOENT);

    EXPECT_EQ(handler.show_errormsg(nullptr, false), ID_OK);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_EQ(presenter.last().text, "/data/radio.raf\r\nNo such file or directory");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);
    // Showing keeps the state: the same message can be shown again.
    EXPECT_EQ(handler.get_error_type(), ET_ERROR);
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(ENOENT));
    EXPECT_STREQ(handler.get_errormsg(), "File error - /data/radio.raf\nNo such file or directory\n");
}

TEST(ErrorHandler, CatalogueCodeWithoutSystemError) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init_fileio("a.rsd");
    handler.set_error_code(MSG_READ_ERROR_AT_EOF);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "a.rsd\r\nRead error at end of file");

    // A system error value, when one is pending, wins over the catalogue text.
    handler.set_last_error_code(EIO);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "a.rsd\r\nInput/output error");
}

TEST(ErrorHandler, CaptionAndIconFollowTheType) {
    Recording_Presenter presenter;
    Error_Handler handler;

    handler.init(ET_ERROR, MSG_WRONG_FILE_FORMAT, nullptr);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().caption, "Error");
    EXPECT_EQ(presenter.last().text, "Wrong file format");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);

    handler.init(ET_WARNING, MSG_WRONG_FILE_FORMAT, "");
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().caption, "Warning");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_EXCLAMATION);

    handler.init(ET_STATUS, MSG_WRONG_FILE_FORMAT, "x");
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().caption, "Status information");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_INFORMATION);
}

TEST(ErrorHandler, CancelledOperationIsStatusInformation) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init(ET_WARNING, MSG_OPERATION_CANCELED, nullptr);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().caption, "Status information");
    EXPECT_EQ(presenter.last().text, "Operation canceled");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_INFORMATION);
    EXPECT_EQ(handler.get_error_type(), ET_STATUS);
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

TEST(ErrorHandler, SystemErrorIdAndSyntaxLine) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init(ET_ERROR, MSG_SYSTEM_ERROR, nullptr);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "File error");
    EXPECT_EQ(handler.get_error_code(), MSG_FILE_ERROR);

    handler.init(ET_ERROR, MSG_SYNTAX_ERROR_ON_LINE, "r.raf");
    handler.set_line_number(12);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "r.raf\r\nSyntax error on line 12");
}

TEST(ErrorHandler, UnknownIdsGiveEmptyMessages) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init(ET_ERROR, 9999, nullptr);
    EXPECT_STREQ(handler.get_errormsg(), "Error\n\n");

    handler.init_fileio("f");
    handler.set_last_error_code(0x7FFF0000);
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "f\r\n");
}

TEST(ErrorHandler, InfoLineIsShownUnderTheMessage) {
    Recording_Presenter presenter;
    Error_Handler handler;
    handler.init(ET_WARNING, MSG_WRONG_FILE_FORMAT, "w.asd");
    handler.set_info_buff("made by another program");
    EXPECT_STREQ(handler.get_errormsg(), "Warning - w.asd\nWrong file format\nmade by another program\n");
    handler.show_errormsg(nullptr, false);
    EXPECT_EQ(presenter.last().text, "w.asd\r\nWrong file format\r\nmade by another program");

    handler.set_info_buff(static_cast<const char*>(nullptr));
    EXPECT_EQ(handler.get_info_text(), nullptr);

    // Catalogue texts taken as the info line are cut to 127 characters.
    handler.set_info_buff(MSG_INVALID_RADIO_SUFFIX);
    ASSERT_NE(handler.get_info_text(), nullptr);
    EXPECT_EQ(std::strlen(handler.get_info_text()), 127u);
    EXPECT_EQ(std::string(catalogue_text(MSG_INVALID_RADIO_SUFFIX)).substr(0, 127),
              handler.get_info_text());
}

TEST(ErrorHandler, ClearBuffsKeepsTypeCodeAndLine) {
    Error_Handler handler;
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
}

TEST(ErrorHandler, LongFileNameIsCut) {
    Error_Handler handler;
    const std::string long_name(3000, 'n');
    handler.init_fileio(long_name.c_str());
    EXPECT_EQ(std::strlen(handler.get_file_name()), 1023u);
    handler.set_file_name(nullptr);
    EXPECT_STREQ(handler.get_file_name(), "");
}

TEST(ErrorHandlerFunction, StyleFollowsCaption) {
    Recording_Presenter presenter;
    error_handler(nullptr, MSG_SAME_DISTANCE, MSG_DATA_ENTRY_ERROR, nullptr, -1, false);
    EXPECT_EQ(presenter.last().caption, "Data entry error");
    EXPECT_EQ(presenter.last().text, "Same distance used for two points");
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);

    error_handler(nullptr, MSG_WRONG_FILE_FORMAT, MSG_STATUS_INFORMATION, "", -1, false);
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_INFORMATION);
    error_handler(nullptr, MSG_WRONG_FILE_FORMAT, MSG_WARNING, "", -1, false);
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_EXCLAMATION);
    error_handler(nullptr, MSG_WRONG_FILE_FORMAT, MSG_FILE_ERROR, "", -1, false);
    EXPECT_EQ(presenter.last().style, BOX_OK | BOX_ICON_STOP);
}

TEST(ErrorHandlerFunction, ContextAndContinue) {
    Recording_Presenter presenter(ID_YES);
    EXPECT_EQ(error_handler(nullptr, MSG_SYNTAX_ERROR_ON_LINE, MSG_FILE_ERROR, "radio.raf", 12,
                            false),
              ID_YES);
    EXPECT_EQ(presenter.last().caption, "File error");
    EXPECT_EQ(presenter.last().text, "radio.raf\r\nSyntax error on line 12");

    // An empty context shows the message alone, not an empty first line.
    error_handler(nullptr, MSG_SYNTAX_ERROR_ON_LINE, MSG_ERROR, "", 12, true);
    EXPECT_EQ(presenter.last().text, "Syntax error on line 12\r\nContinue?");
    EXPECT_EQ(presenter.last().style, BOX_YES_NO | BOX_ICON_QUESTION);

    error_handler(nullptr, MSG_INVALID_RADIO_SUFFIX, MSG_FILE_ERROR, "x.txt", -1, true);
    EXPECT_EQ(presenter.last().text,
              std::string("x.txt\r\n") + catalogue_text(MSG_INVALID_RADIO_SUFFIX) +
                  "\r\nContinue?");
}

TEST(ErrorHandlerFunction, SystemMessageTakesErrnoAtTheCall) {
    Recording_Presenter presenter;
    errno = EACCES;
    error_handler(nullptr, MSG_SYSTEM_ERROR, MSG_FILE_ERROR, "locked.rsd", -1, false);
    EXPECT_EQ(presenter.last().text, "locked.rsd\r\nPermission denied");
}

TEST(ErrorHandlerFunction, LongContextIsCutToTheBuffer) {
    Recording_Presenter presenter;
    const std::string context(5000, 'c');
    error_handler(nullptr, MSG_WRONG_FILE_FORMAT, MSG_FILE_ERROR, context.c_str(), -1, false);
    EXPECT_EQ(presenter.last().text.size(), 1023u);
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
