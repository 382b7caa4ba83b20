// The antenna view: until the keyword form exists, a summary of the open record.
#include "AntennaFileEdit.h"

#include "antenna_record.h"
#include "antenna_tech_dlg.h"
#include "command_ids.h"
#include "summary_panel.h"
#include "text_helpers.h"

#include <QVBoxLayout>

#include <cstring>

namespace {

QString text_of(const char* field, std::size_t size) {
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(strnlen(field, size)));
}

QString number_of(double value, const char* unit) {
    if (value == NOT_SET) {
        return {};
    }
    return QString::fromStdString(format_fixed(value, 2)) + QLatin1Char(' ') +
           QString::fromLatin1(unit);
}

const char* technology_text(int32_t technology) {
    switch (technology) {
    case 1:
        return "Dipole antenna technology";
    case 2:
        return "Aperture (Parabolic, Microwave .. )";
    default:
        return "Unknown antenna technology";
    }
}

} // namespace

AntennaFileEdit::AntennaFileEdit(QWidget* parent, Title_Sink title_sink)
    : QWidget(parent), m_document(this, std::move(title_sink)), m_summary(new Summary_Panel(this)) {
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    m_document.changed = [this] { refresh(); };
    m_document.technology_dialog = [this](const char* path, Technology_Answers& answers) {
        return ask_antenna_technology(this, path, answers);
    };
    refresh();
}

AntennaFileEdit::~AntennaFileEdit() = default;

bool AntennaFileEdit::handle_command(int id) {
    if (!command_available(id)) {
        return true;
    }
    return m_document.handle_command(id);
}

bool AntennaFileEdit::command_available(int id) const { return id != ID_VIEW_CURVES; }

bool AntennaFileEdit::query_close() { return m_document.query_close(); }

bool AntennaFileEdit::open_file(const std::string& path) { return m_document.open_path(path); }

void AntennaFileEdit::refresh() {
    const Antenna_Record& record = m_document.record();
    const Antenna_Spec& radio_spec = record.antenna_spec;
    const std::string& path = m_document.path();
    m_summary->set_heading(path.empty() ? QStringLiteral("Unnamed antenna data file")
                                        : QString::fromLocal8Bit(get_filename(path.c_str())),
                           path.empty() ? QStringLiteral("TIA NSMA antenna data")
                                        : QStringLiteral("TIA NSMA antenna data \u2014 ") +
                                              QString::fromLocal8Bit(path.c_str()));
    QString frequencies;
    if (radio_spec.low_frequency != NOT_SET || radio_spec.high_frequency != NOT_SET) {
        frequencies = QString::fromStdString(radio_spec.low_frequency == NOT_SET
                                                 ? std::string()
                                                 : format_fixed(radio_spec.low_frequency, 2)) +
                      QStringLiteral(" \u2013 ") +
                      QString::fromStdString(radio_spec.high_frequency == NOT_SET
                                                 ? std::string()
                                                 : format_fixed(radio_spec.high_frequency, 2)) +
                      QStringLiteral(" MHz");
    }
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), text_of(radio_spec.manufacturer, sizeof radio_spec.manufacturer)},
        {QStringLiteral("Model"), text_of(radio_spec.model, sizeof radio_spec.model)},
        {QStringLiteral("Description"), text_of(radio_spec.description, sizeof radio_spec.description)},
        {QStringLiteral("File name"), text_of(radio_spec.file_name, sizeof radio_spec.file_name)},
        {QStringLiteral("Frequency range"), frequencies},
        {QStringLiteral("Mid-band gain"), number_of(radio_spec.gain_dbi, "dBi")},
        {QStringLiteral("Technology"), QString::fromLatin1(technology_text(radio_spec.technology))},
        {QStringLiteral("Pattern cuts"), QString::number(record.filled_slots())},
    });
}
