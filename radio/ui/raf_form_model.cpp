// The version 5 radio form's model: the keyword table and the form rules over the document.
#include "raf_form_model.h"

#include "radio_record.h"
#include "raf_form.h"
#include "v5_radio_document.h"

#include <QString>

#include <functional>

namespace {

QString edit_label(int row) {
    return QStringLiteral("Edit %1").arg(QString::fromLatin1(raf_keyword(row).keyword));
}

bool valid_row(int row) { return row >= 0 && row < RAF_ROW_COUNT; }

} // namespace

Raf_Form_Model::Raf_Form_Model(V5_Radio_Document& document) : m_document(document) {}

int Raf_Form_Model::row_count() const { return RAF_ROW_COUNT; }

Form_Row Raf_Form_Model::row(int row) const {
    Form_Row shown;
    if (!valid_row(row)) {
        return shown;
    }
    const Raf_Keyword& keyword = raf_keyword(row);
    shown.label = keyword.keyword;
    shown.tip = raf_form_tip(row);
    switch (keyword.kind) {
    case Raf_Row_Kind::heading:
        shown.heading = true;
        shown.cells = 0;
        break;
    case Raf_Row_Kind::acm_count:
    case Raf_Row_Kind::acu_count:
        // The count is shown in a cell that takes no typing: its list changes it.
        shown.cells = 1;
        break;
    case Raf_Row_Kind::values:
        shown.cells = keyword.cells;
        shown.choice = keyword.input == RAF_CHOICE_INPUT;
        break;
    }
    return shown;
}

std::string Raf_Form_Model::text(int row, int cell) const {
    return raf_form_text(m_document.record(), row, cell);
}

bool Raf_Form_Model::accepts(int row, int cell, char c) const {
    return raf_form_accepts(row, cell, c);
}

int Raf_Form_Model::limit(int row, int cell) const { return raf_form_limit(row, cell); }

bool Raf_Form_Model::edit(int row, const std::function<bool(Radio_Record&)>& change) {
    // The rules say whether they changed the record: that decides the undo step, whatever the
    // change reached (a derived field included).
    bool changed = false;
    return m_document.store_record_edit<Radio_Record>(
        edit_label(row), m_document.record(),
        [&](Radio_Record& record) { changed = change(record); },
        [&](const Radio_Record&, const Radio_Record&) { return !changed; });
}

bool Raf_Form_Model::store(int row, int cell, std::string_view text) {
    if (raf_form_limit(row, cell) == 0) {
        return false;
    }
    return edit(row, [&](Radio_Record& record) { return raf_form_store(record, row, cell, text); });
}

std::vector<std::string> Raf_Form_Model::choices(int row) const { return raf_form_choices(row); }

bool Raf_Form_Model::choose(int row, int index) {
    if (raf_form_choices(row).empty()) {
        return false;
    }
    return edit(row, [&](Radio_Record& record) { return raf_form_choose(record, row, index); });
}

std::string Raf_Form_Model::note(int row) const {
    return row == ROW_LABEL_TRANSMIT ? "Option names are used with all radio types" : "";
}

std::vector<std::string> Raf_Form_Model::captions(int row) const {
    const uint8_t type = m_document.record().radio_spec.application_type;
    if (type != APPLICATION_MICROWAVE && type != APPLICATION_ADAPTIVE_MODULATION) {
        return {};
    }
    if (row == ROW_LABEL_RECEIVER) {
        return {"10-3 BER", "10-6 BER", "RBER", "SES BER"};
    }
    if (row == ROW_LABEL_BLANK) {
        return {"IF combiner gain", " Sig width factor", "Sig depth factor"};
    }
    return {};
}
