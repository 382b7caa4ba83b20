// The version 5 radio view: until the keyword form exists, a summary of the open record.
#include "V5RadioFileEdit.h"

#include "command_ids.h"
#include "radio_record.h"
#include "rsd_lock_dlg.h"
#include "summary_panel.h"
#include "text_helpers.h"

#include <QVBoxLayout>

#include <cstring>

namespace {

QString text_of(const char* field, std::size_t size) {
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(strnlen(field, size)));
}

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

V5RadioFileEdit::V5RadioFileEdit(QWidget* parent, Title_Sink title_sink)
    : QWidget(parent), m_document(this, std::move(title_sink)), m_summary(new Summary_Panel(this)) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    m_document.changed = [this] { refresh(); };
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

bool V5RadioFileEdit::handle_command(int id) {
    if (!command_available(id)) {
        return true;
    }
    return m_document.handle_command(id);
}

bool V5RadioFileEdit::command_available(int id) const {
    return id != ID_VIEW_CURVES && id != ID_VIEW_ACM_DATA && id != ID_VIEW_ACU_DATA;
}

bool V5RadioFileEdit::query_close() { return m_document.query_close(); }

bool V5RadioFileEdit::open_file(const std::string& path) { return m_document.open_path(path); }

void V5RadioFileEdit::refresh() {
    const Radio_Record& record = m_document.record();
    const std::string& path = m_document.path();
    m_summary->set_heading(path.empty() ? QStringLiteral("Unnamed radio data file")
                                        : QString::fromLocal8Bit(get_filename(path.c_str())),
                           path.empty() ? QStringLiteral("Version 5 radio data")
                                        : QStringLiteral("Version 5 radio data \u2014 ") +
                                              QString::fromLocal8Bit(path.c_str()));
    const Radio_Spec& radio_spec = record.radio_spec;
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), text_of(radio_spec.manufacturer, sizeof radio_spec.manufacturer)},
        {QStringLiteral("Model"), text_of(radio_spec.model, sizeof radio_spec.model)},
        {QStringLiteral("Radio code"), text_of(radio_spec.radio_code, sizeof radio_spec.radio_code)},
        {QStringLiteral("Application type"),
         QString::fromLatin1(application_type_text(radio_spec.application_type))},
        {QStringLiteral("Curves"), QString::number(record.curves.count())},
        {QStringLiteral("Adaptive modulation states"), QString::number(record.acm_table.count())},
        {QStringLiteral("Coupling unit configurations"),
         QString::number(record.acu_table.count())},
    });
}
