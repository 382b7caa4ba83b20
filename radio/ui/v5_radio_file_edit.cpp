// The version 5 radio view: the keyword form over the record, with the buttons of its two lists.
#include "v5_radio_file_edit.h"

#include "command_ids.h"
#include "curve_edit_rules.h"
#include "keyword_form.h"
#include "power_options_form.h"
#include "radio_curve_edit.h"
#include "radio_data_lists.h"
#include "radio_record.h"
#include "raf_form_model.h"
#include "raf_keywords.h"
#include "rsd_lock_dlg.h"

#include <QPushButton>

V5RadioFileEdit::V5RadioFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_model(std::make_unique<Raf_Form_Model>(m_document)),
      m_form(new Keyword_Form(*m_model, this)) {
    set_content(m_form);
    setFocusProxy(m_form);
    // The buttons open the lists as their View commands do.
    const struct {
        int row;
        int id;
        int command;
        const char* text;
    } buttons[] = {
        {ROW_NUM_ACM_STATES, IDC_ACM_DATA, ID_VIEW_ACM_DATA, "Adaptive Modulation Data"},
        {ROW_NUM_ACU_CONFIG, IDC_ACU_DATA, ID_VIEW_ACU_DATA, "Antenna Coupling Unit Data"},
    };
    for (const auto& placed : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(placed.text));
        button->setObjectName(QStringLiteral("control_%1").arg(placed.id));
        const int command = placed.command;
        connect(button, &QPushButton::clicked, this, [this, command] { handle_command(command); });
        m_form->place_in_row(placed.row, button);
    }
    power_options = [](Radio_Record& record, int state, QWidget* owner) {
        run_power_options_form(record, state, owner);
    };
    attach(m_document);
    attach_form(m_form);
    connect(&m_document, &File_Document::record_replaced, m_form, &Keyword_Form::go_to_top);
    m_document.lock_dialog = [this](bool current) -> std::optional<bool> {
        RsdLockDlg dialog(current, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.locked();
    };
    m_form->go_to_top();
}

V5RadioFileEdit::~V5RadioFileEdit() {
    // The form shows the model, which shows the document: it goes first.
    attach_form(nullptr);
    delete m_form;
}

bool V5RadioFileEdit::lacks_command(int id) const {
    (void)id;
    return false;
}

bool V5RadioFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
        // What is being typed belongs to the record the curve editor starts from.
        commit_pending_edit();
        edit_curves();
        return true;
    }
    if (id == ID_VIEW_ACM_DATA || id == ID_VIEW_ACU_DATA) {
        // The lists start from the record with what is being typed in it.
        commit_pending_edit();
        if (id == ID_VIEW_ACM_DATA) {
            run_acm_data_list(m_document, this, power_options);
        } else {
            run_acu_data_list(m_document, this);
        }
        refresh();
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

void V5RadioFileEdit::refresh() { m_form->refresh(); }
