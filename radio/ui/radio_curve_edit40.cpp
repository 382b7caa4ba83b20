// The version 4 curve editor: the record's curve list behind the shared curve window.
#include "radio_curve_edit40.h"

#include "create_new_curve40_dlg.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "radio4_record.h"

#include <QDialog>

#include <iterator>

namespace {

const CurveEditWindow::Texts editor_texts{
    QStringLiteral("Create - Edit Radio Curve Data"),
    QStringLiteral("Frequency MHz"),
    QStringLiteral("Response dB"),
    QStringLiteral("Import Radio Curve from Text File"),
};

} // namespace

RadioCurveEdit40::RadioCurveEdit40(QWidget* parent, Radio4_Record& record)
    : CurveEditWindow(parent, editor_texts, false), m_record(record),
      m_run_dialog([](QDialog& dialog) { return dialog.exec(); }) {
    start();
}

RadioCurveEdit40::~RadioCurveEdit40() = default;

Radio4_Curve* RadioCurveEdit40::curve_at(int index) {
    if (index < 0 || index >= m_record.curves.count()) {
        return nullptr;
    }
    return &*std::next(m_record.curves.begin(), index);
}

std::vector<CurveEditWindow::Curve_Entry> RadioCurveEdit40::curve_entries() const {
    std::vector<Curve_Entry> entries;
    int index = 0;
    for (const Radio4_Curve& curve : m_record.curves) {
        entries.push_back({from_file_text(curve.name), index++});
    }
    return entries;
}

Curve_Points RadioCurveEdit40::load_curve(int curve) {
    const Radio4_Curve* shown = curve_at(curve);
    return shown != nullptr ? curve_points_of(*shown) : Curve_Points();
}

bool RadioCurveEdit40::store_curve(int curve, const Curve_Points& points) {
    Radio4_Curve* target = curve_at(curve);
    if (target == nullptr) {
        return false;
    }
    if (store_curve_points(*target, points)) {
        return true;
    }
    const QString message =
        tr("The %1 curve needs at least 2 points.\r\nIt keeps the %2 points it had.")
            .arg(from_file_text(target->name))
            .arg(target->point_count());
    show_message_box(static_cast<QWidget*>(this), "Data Entry Error", message.toStdString(),
                     BOX_OK | BOX_ICON_STOP);
    return false;
}

std::optional<int> RadioCurveEdit40::create_curve() {
    CreateNewCurve40Dlg dialog(this, m_record);
    if (m_run_dialog(dialog) != QDialog::Accepted || dialog.curve_name().empty()) {
        return std::nullopt;
    }
    Radio4_Curve& created = m_record.append_curve();
    created.set_name(dialog.curve_name().c_str());
    set_record_changed();
    return m_record.curves.count() - 1;
}

void RadioCurveEdit40::remove_curve(int curve) {
    if (const Radio4_Curve* removed = curve_at(curve)) {
        m_record.unlink_curve(*removed);
    }
}
