// Writing the version 4 radio record as a version 4 ASCII radio file.
#include "radio4_format.h"
#include "file_text.h"
#include "radio4_record.h"
#include "raf_tables.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "save_atomically.h"
#include "string_list.h"

#include <string>

std::string raf4_text(const Radio4_Record& record) {
    std::string text = std::string(RADIO4_OLD_IDENTIFIER) + "\r\n";
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        text += raf4_keyword(i).keyword;
        text += '\t';
        text += raf4_value_text(record.radio_spec, i);
        text += "\r\n";
    }
    for (const Radio4_Curve& curve : record.curves) {
        const std::string name = radio4_text(curve.name);
        if (is_radio4_derived_name(name.c_str())) {
            continue; // made again for every .mrs file, never kept in an ASCII file
        }
        text += name + "\t" + std::to_string(curve.point_count()) + "\r\n";
        for (const Radio_Point& point : curve.points) {
            text += raf_point(point.offset) + " " + raf_point(point.db) + "\r\n";
        }
    }
    text += std::string(RAF4_END) + "\r\n";
    return text;
}

std::string raf4_unwritable_reason(const Radio4_Record& record) {
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        if (raf4_keyword(i).value != Raf4_Value::text) {
            continue;
        }
        // A line feed would end the line early, and the reader refuses a file with control
        // characters as not text.
        for (char c : raf4_value_text(record.radio_spec, i)) {
            if (c == '\n' || !is_text_byte(static_cast<unsigned char>(c))) {
                return std::string("The text of ") + raf4_keyword(i).keyword +
                       " holds a line break or a control character and cannot be written to a "
                       "version 4 ASCII radio file";
            }
        }
    }
    for (const Radio4_Curve& curve : record.curves) {
        const std::string name = radio4_text(curve.name);
        if (!is_radio4_derived_name(name.c_str()) && !raf4_curve_name_writable(name.c_str())) {
            return "The curve name \"" + file_text_to_utf8(name) +
                   "\" cannot be read back from a version 4 ASCII radio file";
        }
    }
    return {};
}

void write_raf4_file(const Radio4_Record& record, const char* path, Error_Handler* handler) {
    // A name the reader would take for a keyword or cut at a blank, or a text that breaks its
    // line, would make the file read back wrong: refuse it before anything is written.
    const std::string reason = raf4_unwritable_reason(record);
    if (!reason.empty()) {
        handler->init(ET_ERROR, MSG_FILE_ERROR, path);
        handler->set_info_buff(reason.c_str());
        throw handler;
    }
    const std::string text = raf4_text(record);
    save_atomically(handler, path, [&](const char* temp_path) {
        qvfileio file(handler, temp_path, QV_GENERIC_WRITE, QV_SHARE_NONE);
        file.write(text.data(), static_cast<unsigned>(text.size()));
    });
}
