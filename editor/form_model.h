// Form_Model: what a keyword form shows and stores, row by row. Each editor supplies one over its
// record and document (the row table, the cell texts, the characters each editor takes, the store
// rules); Keyword_Form draws it and forwards the keys. Texts are file texts (Windows-1252).
#pragma once

#include "form_cursor.h"

#include <string>
#include <string_view>
#include <vector>

// How one row looks and which of its cells the cursor reaches.
struct Form_Row {
    std::string label;       // the keyword, or a heading's text
    int cells = 1;           // value cells (0 for a heading)
    bool heading = false;    // drawn in blue, no cells, passed over by the cursor
    bool enabled = true;     // false: the label drawn in red, passed over by the cursor
    bool choice = false;     // the cells are chosen from choices(), never typed
    std::string description; // drawn to the right of the value cells (empty for none)
    std::string tip;         // what the field means, shown as the label's tooltip
    std::string keyword;     // the file's keyword, when the label is not it: found by Ctrl+F too
};

class Form_Model {
public:
    virtual ~Form_Model() = default;

    virtual int row_count() const = 0;
    virtual Form_Row row(int row) const = 0;
    // The text a cell shows.
    virtual std::string text(int row, int cell) const = 0;
    // True when the cell's editor takes the character `c`.
    virtual bool accepts(int row, int cell, char c) const = 0;
    // The most characters the cell's editor takes (0: the cell takes no typing).
    virtual int limit(int row, int cell) const = 0;
    // Stores an edited text (its first line, cut to the limit) as one undo step; true when the
    // record changed.
    virtual bool store(int row, int cell, std::string_view text) = 0;

    // The choices of a choice row, in the order of their stored values.
    virtual std::vector<std::string> choices(int row) const {
        (void)row;
        return {};
    }
    // Stores choice `index` of a choice row as one undo step; true when the record changed.
    virtual bool choose(int row, int index) {
        (void)row;
        (void)index;
        return false;
    }

    // A heading's note, centred over the value area (empty for none).
    virtual std::string note(int row) const {
        (void)row;
        return {};
    }
    // Captions drawn over the cells of a heading row, one per cell, in the cells of the field
    // row below it (empty for none).
    virtual std::vector<std::string> captions(int row) const {
        (void)row;
        return {};
    }

    // How the keys move the cursor.
    virtual Form_Key_Style key_style() const { return Form_Key_Style::cells; }
    // The width of the value cells, in average character widths; 0 lets them share what the
    // window leaves after the labels (and the descriptions).
    virtual int value_width() const { return 0; }
};
