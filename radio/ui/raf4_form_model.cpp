// The version 4 radio form's rows and their stores through the document.
#include "raf4_form_model.h"

#include "raf4_form.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "v4_radio_document.h"

Raf4_Form_Model::Raf4_Form_Model(V4_Radio_Document& document) : m_document(document) {}

bool Raf4_Form_Model::is_cell(int row, int cell) const {
    return row >= 0 && row < RAF4_KEYWORD_COUNT && cell == 0;
}

int Raf4_Form_Model::row_count() const { return RAF4_KEYWORD_COUNT; }

Form_Row Raf4_Form_Model::row(int row) const {
    Form_Row shown;
    if (row < 0 || row >= RAF4_KEYWORD_COUNT) {
        return shown;
    }
    const Raf4_Keyword& keyword = raf4_keyword(row);
    shown.label = keyword.keyword;
    shown.description = keyword.description;
    shown.tip = keyword.description;
    return shown;
}

std::string Raf4_Form_Model::text(int row, int cell) const {
    return is_cell(row, cell) ? raf4_form_text(m_document.record().radio_spec, row) : std::string();
}

bool Raf4_Form_Model::accepts(int row, int cell, char c) const {
    return is_cell(row, cell) && raf4_form_accepts(row, c);
}

int Raf4_Form_Model::limit(int row, int cell) const {
    return is_cell(row, cell) ? raf4_form_limit(row) : 0;
}

bool Raf4_Form_Model::store(int row, int cell, std::string_view text) {
    if (!is_cell(row, cell)) {
        return false;
    }
    bool changed = false;
    return m_document.store_record_edit<Radio4_Record>(
        QStringLiteral("Edit %1").arg(QLatin1String(raf4_keyword(row).keyword)),
        m_document.record(),
        [&](Radio4_Record& record) { changed = raf4_form_store(record.radio_spec, row, text); },
        [&](const Radio4_Record&, const Radio4_Record&) { return !changed; });
}
