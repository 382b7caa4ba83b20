// The version 5 curve editor: the record's curves by their names, their codes, the New dialog.
#include "radio_curve_edit.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "radio_record.h"

#include <QLabel>
#include <QLineEdit>

#include <string>

namespace {

CurveEditWindow::Texts radio_texts() {
    return {QStringLiteral("Create - Edit Radio Curve Data"), QStringLiteral("Frequency MHz"),
            QStringLiteral("Response dB"), QStringLiteral("Import Radio Curve from Text File")};
}

std::optional<New_Radio_Curve> run_new_dialog(const Radio_Curve_List& curves, QWidget* owner) {
    CreateNewCurveDlg dialog(curves, owner);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

} // namespace

RadioCurveEdit::RadioCurveEdit(Radio_Record& record, QWidget* parent)
    : CurveEditWindow(parent, radio_texts(), false), m_record(record), m_codes(new QLineEdit),
      m_new_dialog(run_new_dialog) {
    m_codes->setObjectName(QStringLiteral("control_%1").arg(IDC_CODES));
    m_codes->setToolTip(QStringLiteral("The curve's radio codes or adaptive modulation "
                                       "identifier, separated by commas"));
    add_to_bar(new QLabel(QStringLiteral("Codes")), m_codes, IDC_CODES);
    start();
}

std::vector<CurveEditWindow::Curve_Entry> RadioCurveEdit::curve_entries() const {
    std::vector<Curve_Entry> entries;
    for (int i = 0; i < m_record.curves.count(); ++i) {
        entries.push_back({from_file_text(m_record.curves[i].name), i});
    }
    return entries;
}

Curve_Points RadioCurveEdit::load_curve(int curve) {
    return curve_points_of(m_record.curves[curve]);
}

bool RadioCurveEdit::store_curve(int curve, const Curve_Points& points) {
    if (store_curve_points(m_record.curves, curve, points)) {
        return true;
    }
    // A stored curve has at least 2 points; rather than lose the curve, keep what it had.
    const Radio_Curve& kept = m_record.curves[curve];
    const std::string text = "A curve needs at least 2 points.\r\n" +
                             from_file_text(kept.name).toStdString() + " keeps its " + std::to_string(kept.point_count()) +
                             " points; delete the curve to remove it.";
    show_message_box(static_cast<Owner_Window>(static_cast<QWidget*>(this)), "Data Entry Error",
                     text, BOX_OK | BOX_ICON_STOP);
    return false;
}

bool RadioCurveEdit::leave_curve(int curve) {
    if (!m_codes->isModified()) {
        return false;
    }
    m_codes->setModified(false);
    const std::optional<std::string> text = code_text_of(this, m_codes->text());
    if (!text) {
        return false;
    }
    switch (apply_codes_field(m_record.curves[curve], *text)) {
    case Codes_Outcome::changed:
        return true;
    case Codes_Outcome::code_required:
        error_handler(static_cast<QWidget*>(this), MSG_INTERFERING_CODE_REQUIRED,
                      MSG_DATA_ENTRY_ERROR, nullptr, 0, false);
        return false;
    case Codes_Outcome::unchanged:
        return false;
    }
    return false;
}

void RadioCurveEdit::curve_shown(int curve) {
    const bool codes = curve >= 0 && shows_codes(m_record.curves[curve].curve_type);
    m_codes->setText(codes ? from_file_text(codes_field_text(m_record.curves[curve]))
                           : QString());
    m_codes->setEnabled(codes);
    m_codes->setModified(false);
}

std::optional<int> RadioCurveEdit::create_curve() {
    const std::optional<New_Radio_Curve> chosen = m_new_dialog(m_record.curves, this);
    if (!chosen) {
        return std::nullopt;
    }
    // The curve is in the record from now on, points or not.
    set_record_changed();
    return m_record.curves.add_curve(chosen->type, chosen->code_text.c_str());
}

void RadioCurveEdit::remove_curve(int curve) { m_record.curves.delete_curve(curve); }

std::vector<Chart_Overlay> RadioCurveEdit::overlays(int curve) const {
    const int partner = m_record.curves.find_first(partner_curve_type(m_record.curves[curve].curve_type));
    if (partner < 0) {
        return {};
    }
    const Radio_Curve& shown = m_record.curves[partner];
    const Curve_Points points = curve_points_of(shown);
    return {{from_file_text(shown.name), {points.points().begin(), points.points().end()}}};
}
