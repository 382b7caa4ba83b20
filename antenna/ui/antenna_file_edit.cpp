// The antenna view: until the keyword form exists, a summary of the open record.
#include "antenna_file_edit.h"

#include "antenna_curve_edit.h"
#include "antenna_record.h"
#include "antenna_tech_dlg.h"
#include "command_ids.h"
#include "qt_file_text.h"
#include "summary_panel.h"
#include "text_helpers.h"

#include <algorithm>

namespace {

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

AntennaFileEdit::AntennaFileEdit(QWidget* parent, Editor_Sinks sinks)
    : Document_Editor(parent, std::move(sinks)), m_document(this),
      m_summary(new Summary_Panel(this)) {
    set_content(m_summary);
    attach(m_document);
    m_document.technology_dialog = [this](const char* path, Technology_Answers& answers) {
        return ask_antenna_technology(this, path, answers);
    };
    curve_editor = edit_antenna_curves;
    refresh();
}

AntennaFileEdit::~AntennaFileEdit() = default;

bool AntennaFileEdit::lacks_command(int id) const {
    (void)id;
    return false;
}

bool AntennaFileEdit::handle_command(int id) {
    if (id == ID_VIEW_CURVES) {
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

void AntennaFileEdit::refresh() {
    const Antenna_Record& record = m_document.record();
    const Antenna_Spec& antenna_spec = record.antenna_spec;
    const std::string& path = m_document.path();
    m_summary->set_file_heading(path, QStringLiteral("Unnamed antenna data file"),
                                QStringLiteral("TIA NSMA antenna data"));
    QString frequencies;
    if (antenna_spec.low_frequency != NOT_SET || antenna_spec.high_frequency != NOT_SET) {
        frequencies = QString::fromStdString(antenna_spec.low_frequency == NOT_SET
                                                 ? std::string()
                                                 : format_fixed(antenna_spec.low_frequency, 2)) +
                      QStringLiteral(" \u2013 ") +
                      QString::fromStdString(antenna_spec.high_frequency == NOT_SET
                                                 ? std::string()
                                                 : format_fixed(antenna_spec.high_frequency, 2)) +
                      QStringLiteral(" MHz");
    }
    m_summary->set_rows({
        {QStringLiteral("Manufacturer"), from_file_text(antenna_spec.manufacturer)},
        {QStringLiteral("Model"), from_file_text(antenna_spec.model)},
        {QStringLiteral("Description"), from_file_text(antenna_spec.description)},
        {QStringLiteral("File name"), from_file_text(antenna_spec.file_name)},
        {QStringLiteral("Frequency range"), frequencies},
        {QStringLiteral("Mid-band gain"), number_of(antenna_spec.gain_dbi, "dBi")},
        {QStringLiteral("Technology"), QString::fromLatin1(technology_text(antenna_spec.technology))},
        {QStringLiteral("Pattern cuts"), QString::number(record.filled_slots())},
    });
}
