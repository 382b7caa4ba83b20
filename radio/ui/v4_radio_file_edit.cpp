// The version 4 radio view: the keyword form of the open record.
#include "v4_radio_file_edit.h"

#include "command_ids.h"
#include "keyword_form.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_curve_edit40.h"

V4RadioFileEdit::V4RadioFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_model(m_document), m_form(new Keyword_Form(m_model, this)),
      m_run_editor([](RadioCurveEdit40& editor) { return editor.run(); }) {
    set_content(m_form);
    setFocusProxy(m_form);
    attach(m_document);
    attach_form(m_form);
    connect(&m_document, &File_Document::record_replaced, m_form, &Keyword_Form::go_to_top);
    m_form->go_to_top();
}

V4RadioFileEdit::~V4RadioFileEdit() {
    // The form shows the model, which shows the document: it goes first.
    attach_form(nullptr);
    delete m_form;
}

bool V4RadioFileEdit::lacks_command(int id) const {
    (void)id;
    return false;
}

bool V4RadioFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
        commit_pending_edit();
        edit_curves();
        return true;
    }
    return Document_Editor::handle_command(id);
}

void V4RadioFileEdit::edit_curves() {
    m_document.edit_record_copy<Radio4_Record>(
        QStringLiteral("Edit Curves"), m_document.record(),
        [this](Radio4_Record& copy) {
            RadioCurveEdit40 editor(this, copy);
            return m_run_editor(editor);
        },
        [](const Radio4_Record& before, const Radio4_Record& after) {
            return mrs_bytes(before) == mrs_bytes(after);
        });
}

void V4RadioFileEdit::refresh() { m_form->refresh(); }
