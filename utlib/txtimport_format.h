// txtimport_format: the text import engine. It holds a text file of columns, the user's choices
// of how its lines split into columns and which column holds which of the caller's fields, and
// hands the caller each field's text line by line. The choices can be kept in a small binary
// definition file ("IMPORT_TEXT_5.0").
#pragma once

#include "qv6_ut_export.h"
#include "string_list.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;

// What an import from the start line on would read: the number of lines, and the line that would
// end it (its number from 1 and its text), when one does before the end of the file.
struct Import_Forecast {
    int lines = 0;
    int stop_line = 0; // 0: the import reads on to the last line
    std::string stop_text;
};

// Whether the text of field `field` of a line (null when the line has none) converts for the
// caller; the first line with a field that does not ends the caller's import.
using Import_Field_Check = std::function<bool(int field, const char* text)>;

// The definition record: the first 40 bytes of a definition file, little-endian.
struct Import_Definition {
    char magic[16];            // "IMPORT_TEXT_5.0" and its terminator, written on save
    uint8_t fixed_width;       // 1: columns at fixed character positions; 0: delimited
    uint8_t quotes;            // delimiters inside double quotes do not split
    uint8_t consecutive;       // a run of delimiters counts as one
    uint8_t delimiter_choice;  // 0 comma, 1 semicolon, 2 blank, 3 tab, 4 other
    char other_delimiter;      // the delimiter of choice 4
    uint8_t unused[3];
    int32_t start_line;        // first line to import, from 1
    int32_t field_count;       // fields the caller offers
    int32_t saved_column_count; // columns when the definition was made
    int32_t definition_kind;   // the caller's kind of import
};
static_assert(sizeof(Import_Definition) == 40);
static_assert(offsetof(Import_Definition, fixed_width) == 16);
static_assert(offsetof(Import_Definition, quotes) == 17);
static_assert(offsetof(Import_Definition, consecutive) == 18);
static_assert(offsetof(Import_Definition, delimiter_choice) == 19);
static_assert(offsetof(Import_Definition, other_delimiter) == 20);
static_assert(offsetof(Import_Definition, start_line) == 24);
static_assert(offsetof(Import_Definition, field_count) == 28);
static_assert(offsetof(Import_Definition, saved_column_count) == 32);
static_assert(offsetof(Import_Definition, definition_kind) == 36);

inline constexpr char IMPORT_DEFINITION_MAGIC[16] = "IMPORT_TEXT_5.0";

enum Delimiter_Choice : uint8_t {
    DELIMITER_COMMA = 0,
    DELIMITER_SEMICOLON = 1,
    DELIMITER_BLANK = 2,
    DELIMITER_TAB = 3,
    DELIMITER_OTHER = 4,
};

class QV6_UT_EXPORT txtimport_format {
public:
    // Most lines the preview shows.
    static constexpr int max_display_lines = 100;
    // Longest text get_field gives.
    static constexpr std::size_t max_field_length = 79;
    // Latest start line a user may choose.
    static constexpr int max_start_line = 200;
    // Most columns a layout may have: the preview and a definition file never hold more.
    static constexpr int max_columns = 4096;
    // The preview's highlight, as a 0x00BBGGRR colour.
    static constexpr uint32_t default_selection_colour = 0x007B7BBE;

    // Reads the whole of `file_name` (null: no file; lines come later through set_text) into the
    // line list, raising `handler` (which a file name needs) as string_list does (155 empty,
    // 342 not text). A UTF-8 byte order mark before the first line is dropped. Without free
    // assignment the field names start as `field_count` empty names.
    txtimport_format(Error_Handler* handler, const char* file_name, int field_count,
                     int definition_kind, bool free_assignment);
    ~txtimport_format();
    txtimport_format(const txtimport_format&) = delete;
    txtimport_format& operator=(const txtimport_format&) = delete;

    // Takes `bytes` (text already in memory, such as the clipboard's) as the lines, raising
    // `handler` with 342 when they are not text; the lines stay as they were then.
    void set_text(Error_Handler* handler, std::string_view bytes);

    // Names field `index` (a copy); an index outside the fields is ignored.
    void set_header_item(int index, const char* name);
    // Puts the delimiter of the choice in force; false, the delimiter unchanged, for "other"
    // without a character or an unknown choice.
    bool set_delimiter();
    // The start line the user chose: taken, and the preview read again, only from 1 to
    // max_start_line; false, nothing changed, otherwise.
    bool set_start_line(int line);
    // Fills the preview from one line before the start line (or the first line), at most 100
    // lines, and records the longest.
    void read_disp_lines();
    // Finds the columns of the preview: fixed width without columns gets one column over the
    // whole line; delimited, as many columns as the most fields of a previewed line (at most
    // max_columns), each as wide as its widest field. Assignments of remaining columns stay.
    void set_col_widths();
    // `count` empty columns (clamped to 0..max_columns); fixed width gets count + 1 zero starts.
    void initialize_columns(int count);
    // Ends the column step: drops assignments of fields that do not exist; with free
    // assignment, column i holds field i.
    void set_col_fields();
    // Forgets the delimited columns and their assignments and finds them again: after the
    // delimiter or a flag changed, a column is no longer the one the user chose.
    void reset_delim_columns();
    // Widens column `column`'s preview so that its assigned field name fits.
    void reset_selcolumn_header(int column);
    void reset_allcolumn_header();
    // A click at character `position` of the fixed-width preview: removes the boundary there,
    // or inserts one in order. False, nothing changed, at 0 (every line starts a column) and at
    // or beyond the end of the longest previewed line.
    bool set_fixed_column(unsigned position);
    // True when at least one column is assigned and no field is on two columns; otherwise shows
    // 410, 411 (both 1-based column numbers and the field's name) or, with free assignment,
    // 412 under "Data entry error" and returns false.
    bool check_duplicates();

    // Loads a definition file; every failure is shown at once (123 short, 104 not a definition
    // or values out of range, 427 another kind) and changes nothing. True when loaded.
    bool load_definition_file(const char* path);
    // Saves the definition atomically; a failure (116 for a failed or short write) is shown and
    // leaves any file there as it was. True when saved.
    bool save_definition_file(const char* path);

    // Prepares reading so that the next line is the start line; false when the start line lies
    // two or more lines beyond the last line.
    bool init_import();
    // Moves to the next line, sets `line_number` to its index (from 0) and copies it into the
    // line buffer; false at the end of the lines.
    bool set_line_buffer(int& line_number);
    // The text of field `field` (0-based) in the current line, cut to 79 characters, in a
    // buffer the next call overwrites; null for a field on no column or one the line lacks.
    char* get_field(int field);

    // Runs the caller's reading loop over the lines from the start line on, without changing the
    // reading position, and tells how many lines pass `converts` for every field before the
    // first that does not.
    Import_Forecast forecast_import(const Import_Field_Check& converts);

    // The choices as a settings text ("%d," each): the number of values after the first (column
    // count + 9), the field count, start line, fixed width, quotes, consecutive, delimiter choice,
    // delimiter, other delimiter and column count, then each column's field and, for fixed
    // width, the column count + 1 boundaries.
    std::string stored_defaults_text() const;
    // Starts the choices afresh (delimited, quotes on, consecutive off, comma, other "|", no
    // columns), then takes the values of a settings text in the order above up to the first
    // missing one. A text kept for another field count is not taken, nor is any value from the
    // first one out of its range on; fixed-width columns without all their boundaries are
    // dropped.
    void load_stored_defaults(const char* text);

    // Columns of a delimited line, as get_field splits it (at most max_columns).
    std::vector<std::string_view> split_line(std::string_view line) const;

    Import_Definition record{};
    std::vector<char> line_buffer;   // the current line; longest line + 2
    int current_line = -1;
    bool free_assignment = false;
    int column_count = 0;
    string_list lines;
    int display_line_count = 0;
    // Index in the preview of the start line.
    int first_display_line = 0;
    uint32_t selection_colour = default_selection_colour;
    int longest_line = 0;
    char delimiter = ',';
    std::string file_name;
    std::string definition_file_name;
    std::vector<std::string> field_names;
    // Fixed width: column_count + 1 ascending character positions, the last the line's end.
    std::vector<int32_t> column_starts;
    // Per column: 0 for none, else the 1-based field the column holds.
    std::vector<int32_t> column_assignment;
    // Per column: the preview width in characters.
    std::vector<int32_t> column_widths;
    std::vector<const char*> display_lines;

private:
    void size_line_buffer();
    void resize_columns(int count);
    int column_of_field(int field) const;

    char m_field[max_field_length + 1] = {};
};
