// Raf_Form_Model: the version 5 radio form over the document's record: the 79 rows of the keyword
// table, their texts, characters and limits from the form rules, and every store or choice as one
// undo step of the document.
#pragma once

#include "form_model.h"

#include <functional>

class V5_Radio_Document;
struct Radio_Record;

class Raf_Form_Model : public Form_Model {
public:
    // The model shows and edits `document`'s record; the document outlives it.
    explicit Raf_Form_Model(V5_Radio_Document& document);

    int row_count() const override;
    Form_Row row(int row) const override;
    std::string text(int row, int cell) const override;
    bool accepts(int row, int cell, char c) const override;
    int limit(int row, int cell) const override;
    // One undo step named after the row's keyword; nothing is pushed when the record stays as it
    // was (the same text, a count row, a heading).
    bool store(int row, int cell, std::string_view text) override;
    std::vector<std::string> choices(int row) const override;
    bool choose(int row, int index) override;
    std::string note(int row) const override;
    // The receiver thresholds' and the IF combiner's captions, shown for microwave and adaptive
    // modulation radios only.
    std::vector<std::string> captions(int row) const override;

private:
    // Runs a rule on a copy of the record; the copy becomes one undo step when the rule says it
    // changed the record.
    bool edit(int row, const std::function<bool(Radio_Record&)>& change);

    V5_Radio_Document& m_document;
};
