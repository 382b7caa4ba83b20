// Antenna_Form_Model: the antenna form's rows over the document's record: the NSMA keyword rows
// REVNUM to PATFRE with their labels, one cell each, every store and choice one undo step of the
// document.
#pragma once

#include "form_model.h"

#include <functional>

class Antenna_Document;
class Antenna_Record;

class Antenna_Form_Model : public Form_Model {
public:
    // The model shows and edits `document`'s record; the document outlives it.
    explicit Antenna_Form_Model(Antenna_Document& document);

    int row_count() const override;
    // The table's label; the tooltip names the keyword and what it means.
    Form_Row row(int row) const override;
    std::string text(int row, int cell) const override;
    bool accepts(int row, int cell, char c) const override;
    int limit(int row, int cell) const override;
    // One undo step named after the keyword; nothing is pushed when the record stays as it was.
    bool store(int row, int cell, std::string_view text) override;
    std::vector<std::string> choices(int row) const override;
    // One undo step; the gain units move the band gains with them.
    bool choose(int row, int index) override;
    Form_Key_Style key_style() const override { return Form_Key_Style::rows; }
    int value_width() const override { return VALUE_WIDTH; }

    static constexpr int VALUE_WIDTH = 52;

private:
    bool is_cell(int row, int cell) const;
    bool edit(int row, const std::function<bool(Antenna_Record&)>& change);

    Antenna_Document& m_document;
};
