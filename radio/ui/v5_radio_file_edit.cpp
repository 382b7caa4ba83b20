// The version 5 radio view: until the keyword form exists, a summary of the open record.
#include "v5_radio_file_edit.h"

#include "command_ids.h"
#include "curve_edit_rules.h"
#include "qt_file_text.h"
#include "radio_curve_edit.h"
#include "radio_record.h"
#include "rsd_lock_dlg.h"
#include "summary_panel.h"

namespace {

const char* application_type_text(uint8_t type) {
    switch (type) {
    case APPLICATION_MICROWAVE:
        return "Conventional Microwave Radio";
    case APPLICATION_ADAPTIVE_MODULATION:
        return "Adaptive Modulation Radio";
    case APPLICATION_LAND_MOBILE:
        return "Land Mobile Radio";
    default:
        return "";
    }
}

} // namespace

V5RadioFileEdit::V5RadioFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_summary(new Summary_Panel(this)) {
    set_content(m_summary);
    attach(m_document);
    m_document.lock_dialog = [this](bool current) -> std::optional<bool> {
        RsdLockDlg dialog(current, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.locked();
    };
    refresh();
}

V5RadioFileEdit::~V5RadioFileEdit() = default;

bool V5RadioFileEdit::lacks_command(int id) const {
    return id == ID_VIEW_ACM_DATA || id == ID_VIEW_ACU_DATA;
}

bool V5RadioFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
        edit_curves();
        return true;
    }
    return Document_Editor::handle_command(id);
}

void V5RadioFileEdit::edit_curves() {
    m_document.edit_record_copy<Radio_Record>(
        QStringLiteral("Edit Curves"), m_document.record(),
        [this](Radio_Record& copy) {
            RadioCurveEdit editor(copy, this);
            return editor.run();
        },
        [](const Radio_Record& a, const Radio_Record& b) { return same_curves(a.curves, b.curves); });
}

void V5RadioFileEdit::refresh() {
    const Radio_Record& record = m_document.record();
    const std::string& path = m_document.path();
    m_summary->set_file_heading(path, QStringLiteral("Unnamed radio data file"),
                                QStringLiteral("Version 5 radio data"));
    const Radio_Spec& radio_spec = record.radio_spec;
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), from_file_text(radio_spec.manufacturer)},
        {QStringLiteral("Model"), from_file_text(radio_spec.model)},
        {QStringLiteral("Radio code"), from_file_text(radio_spec.radio_code)},
        {QStringLiteral("Application type"),
         QString::fromLatin1(application_type_text(radio_spec.application_type))},
        {QStringLiteral("Curves"), QString::number(record.curves.count())},
        {QStringLiteral("Adaptive modulation states"), QString::number(record.acm_table.count())},
        {QStringLiteral("Coupling unit configurations"),
         QString::number(record.acu_table.count())},
    });
}
