// Raf4_Form_Model: the version 4 radio form's rows over the document's record: one row per
// keyword with its one cell and its description, every store one undo step of the document.
#pragma once

#include "form_model.h"

class V4_Radio_Document;

class Raf4_Form_Model : public Form_Model {
public:
    // The model shows and edits `document`'s record; the document outlives it.
    explicit Raf4_Form_Model(V4_Radio_Document& document);

    int row_count() const override;
    Form_Row row(int row) const override;
    std::string text(int row, int cell) const override;
    bool accepts(int row, int cell, char c) const override;
    int limit(int row, int cell) const override;
    // One undo step named after the keyword; nothing is pushed when the record stays as it was.
    bool store(int row, int cell, std::string_view text) override;
    // One width for every cell, wide enough for a whole comment, so that the descriptions line
    // up after them.
    int value_width() const override { return VALUE_WIDTH; }

    static constexpr int VALUE_WIDTH = 36;

private:
    bool is_cell(int row, int cell) const;

    V4_Radio_Document& m_document;
};
