// The antenna form's rows and their stores through the document.
#include "antenna_form_model.h"

#include "antenna_document.h"
#include "antenna_form.h"
#include "antenna_record.h"
#include "nsma_keywords.h"

Antenna_Form_Model::Antenna_Form_Model(Antenna_Document& document) : m_document(document) {}

bool Antenna_Form_Model::is_cell(int row, int cell) const {
    return row >= 0 && row < NSMA_FORM_ROWS && cell == 0;
}

int Antenna_Form_Model::row_count() const { return NSMA_FORM_ROWS; }

Form_Row Antenna_Form_Model::row(int row) const {
    Form_Row shown;
    if (row < 0 || row >= NSMA_FORM_ROWS) {
        return shown;
    }
    const Nsma_Keyword& keyword = nsma_keywords[row];
    shown.label = keyword.label;
    shown.cells = keyword.cells;
    shown.enabled = keyword.enabled != 0;
    shown.choice = keyword.kind == NSMA_CHOICE;
    shown.tip = std::string(keyword.keyword) + ": " + antenna_form_tip(row);
    shown.keyword = keyword.keyword;
    return shown;
}

std::string Antenna_Form_Model::text(int row, int cell) const {
    return is_cell(row, cell) ? antenna_form_text(m_document.record(), row) : std::string();
}

bool Antenna_Form_Model::accepts(int row, int cell, char c) const {
    return is_cell(row, cell) && antenna_form_accepts(row, c);
}

int Antenna_Form_Model::limit(int row, int cell) const {
    return is_cell(row, cell) ? antenna_form_limit(row) : 0;
}

std::vector<std::string> Antenna_Form_Model::choices(int row) const {
    return antenna_form_choices(row);
}

bool Antenna_Form_Model::edit(int row, const std::function<bool(Antenna_Record&)>& change) {
    bool changed = false;
    return m_document.store_record_edit<Antenna_Record>(
        QStringLiteral("Edit %1").arg(QLatin1String(nsma_keywords[row].keyword)),
        m_document.record(), [&](Antenna_Record& record) { changed = change(record); },
        [&](const Antenna_Record&, const Antenna_Record&) { return !changed; });
}

bool Antenna_Form_Model::store(int row, int cell, std::string_view text) {
    if (!is_cell(row, cell)) {
        return false;
    }
    return edit(row, [&](Antenna_Record& record) { return antenna_form_store(record, row, text); });
}

bool Antenna_Form_Model::choose(int row, int index) {
    if (!is_cell(row, 0)) {
        return false;
    }
    return edit(row,
                [&](Antenna_Record& record) { return antenna_form_choose(record, row, index); });
}
