// The version 4 radio view: until the keyword form exists, a summary of the open record.
#include "V4RadioFileEdit.h"

#include "command_ids.h"
#include "radio4_support.h"
#include "summary_panel.h"
#include "text_helpers.h"

#include <QVBoxLayout>

V4RadioFileEdit::V4RadioFileEdit(QWidget* parent, Title_Sink title_sink)
    : QWidget(parent), m_document(this, std::move(title_sink)), m_summary(new Summary_Panel(this)) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    m_document.changed = [this] { refresh(); };
    refresh();
}

V4RadioFileEdit::~V4RadioFileEdit() = default;

bool V4RadioFileEdit::handle_command(int id) {
    if (!command_available(id)) {
        return true;
    }
    return m_document.handle_command(id);
}

bool V4RadioFileEdit::command_available(int id) const { return id != ID_VIEW_CURVES; }

bool V4RadioFileEdit::query_close() { return m_document.query_close(); }

bool V4RadioFileEdit::open_file(const std::string& path) { return m_document.open_path(path); }

void V4RadioFileEdit::refresh() {
    const std::string& path = m_document.path();
    const Radio4_Summary record = summarise_radio4(m_document.record());
    m_summary->set_heading(path.empty() ? QStringLiteral("Unnamed radio data file")
                                        : QString::fromLocal8Bit(get_filename(path.c_str())),
                           path.empty() ? QStringLiteral("Version 4 radio data")
                                        : QStringLiteral("Version 4 radio data \u2014 ") +
                                              QString::fromLocal8Bit(path.c_str()));
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), QString::fromLocal8Bit(record.manufacturer.c_str())},
        {QStringLiteral("Model"), QString::fromLocal8Bit(record.model.c_str())},
        {QStringLiteral("File code"), QString::fromLocal8Bit(m_document.file_code().c_str())},
        {QStringLiteral("Radio type"), QString::fromLatin1(record.radio_type.c_str())},
        {QStringLiteral("Modulation"), QString::fromLocal8Bit(record.modulation.c_str())},
        {QStringLiteral("Capacity"), QString::fromLocal8Bit(record.capacity.c_str())},
        {QStringLiteral("Curves"), QString::number(record.curve_count)},
    });
}
