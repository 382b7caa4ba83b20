// The version 4 radio view: until the keyword form exists, a summary of the open record.
#include "v4_radio_file_edit.h"

#include "command_ids.h"
#include "file_dialogs.h"
#include "qt_file_text.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio4_support.h"
#include "radio_curve_edit40.h"
#include "summary_panel.h"

V4RadioFileEdit::V4RadioFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_summary(new Summary_Panel(this)),
      m_run_editor([](RadioCurveEdit40& editor) { return editor.run(); }) {
    set_content(m_summary);
    attach(m_document);
    refresh();
}

V4RadioFileEdit::~V4RadioFileEdit() = default;

bool V4RadioFileEdit::lacks_command(int id) const {
    (void)id;
    return false;
}

bool V4RadioFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
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

void V4RadioFileEdit::refresh() {
    const std::string& path = m_document.path();
    const Radio4_Summary record = summarise_radio4(m_document.record());
    m_summary->set_file_heading(path, QStringLiteral("Unnamed radio data file"),
                                QStringLiteral("Version 4 radio data"));
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), from_file_text(record.manufacturer)},
        {QStringLiteral("Model"), from_file_text(record.model)},
        {QStringLiteral("File code"), from_local_path(m_document.file_code())},
        {QStringLiteral("Radio type"), QString::fromLatin1(record.radio_type.c_str())},
        {QStringLiteral("Modulation"), from_file_text(record.modulation)},
        {QStringLiteral("Capacity"), from_file_text(record.capacity)},
        {QStringLiteral("Curves"), QString::number(record.curve_count)},
    });
}
