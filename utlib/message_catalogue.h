// The utility library's message catalogue: message and caption texts by number.
#pragma once

#include "qv6_ut_export.h"

// Catalogue ids the system uses by name.
enum Message_Id : int {
    MSG_SYSTEM_ERROR = 1, // stands for the operating system's error text
    MSG_DATA_ENTRY_ERROR = 98,
    MSG_STATUS_INFORMATION = 99,
    MSG_WARNING = 100,
    MSG_FILE_ERROR = 101,
    MSG_ERROR = 102,
    MSG_WRONG_FILE_FORMAT = 104,
    MSG_SYNTAX_ERROR_ON_LINE = 106,
    MSG_OPERATION_CANCELED = 109,
    MSG_CONTINUE = 115,
    MSG_INSUFFICIENT_DISK_SPACE = 116,
    MSG_READ_ERROR_AT_EOF = 123,
    MSG_SAME_DISTANCE = 149,
    MSG_FILE_SIZE_ZERO = 155,
    MSG_INVALID_RADIO_SUFFIX = 289,
    MSG_INTERFERING_CODE_REQUIRED = 290,
    MSG_NOT_ASCII_TEXT = 342,
    MSG_COLUMNS_INCOMPLETE = 410,
    MSG_COLUMNS_SAME_FIELD = 411,
    MSG_COLUMNS_SAME_DEFINITION = 412,
    MSG_WRONG_IMPORT_DEFINITION = 427,
    MSG_CURVE_TYPE_EXISTS = 450,
};

// The catalogue text of `id`, or null when the catalogue has no such entry.
QV6_UT_EXPORT const char* catalogue_text(int id);

// Copies catalogue text `id` into `buffer` (at most size - 1 characters and a terminator) and
// returns the number of characters copied; 0, with an empty buffer, when the id is unknown.
QV6_UT_EXPORT int get_error_string(int id, char* buffer, int size);
