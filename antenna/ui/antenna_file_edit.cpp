// The antenna view: the keyword form of the open record.
#include "antenna_file_edit.h"

#include "antenna_curve_edit.h"
#include "antenna_record.h"
#include "antenna_tech_dlg.h"
#include "command_ids.h"
#include "keyword_form.h"

#include <algorithm>

AntennaFileEdit::AntennaFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_model(m_document), m_form(new Keyword_Form(m_model, this)) {
    set_content(m_form);
    setFocusProxy(m_form);
    attach(m_document);
    attach_form(m_form);
    connect(&m_document, &File_Document::record_replaced, m_form, &Keyword_Form::go_to_top);
    m_document.technology_dialog = [this](const char* path, Technology_Answers& answers) {
        return ask_antenna_technology(this, path, answers);
    };
    curve_editor = edit_antenna_curves;
    m_form->go_to_top();
}

AntennaFileEdit::~AntennaFileEdit() {
    // The form shows the model, which shows the document: it goes first.
    attach_form(nullptr);
    delete m_form;
}

bool AntennaFileEdit::lacks_command(int id) const {
    (void)id;
    return false;
}

bool AntennaFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
        commit_pending_edit();
        edit_curves();
        return true;
    }
    return Document_Editor::handle_command(id);
}

void AntennaFileEdit::edit_curves() {
    m_document.edit_record_copy<Antenna_Record>(
        QStringLiteral("Edit Curves"), m_document.record(),
        [this](Antenna_Record& copy) {
            if (!curve_editor(this, copy)) {
                return false;
            }
            copy.data_changed = 1;
            return true;
        },
        [](const Antenna_Record& before, const Antenna_Record& after) {
            for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
                const auto a = before.cut(slot);
                const auto b = after.cut(slot);
                if (!std::equal(a.begin(), a.end(), b.begin(), b.end(),
                                [](const Pattern_Point& p, const Pattern_Point& q) {
                                    return p.angle == q.angle && p.attenuation == q.attenuation;
                                })) {
                    return false;
                }
            }
            return true;
        });
}

void AntennaFileEdit::refresh() { m_form->refresh(); }
