// The antenna pattern editor: slots in the list, cuts as levels in the grid, the New dialog.
#include "antenna_curve_edit.h"

#include "antenna_cut_slots.h"
#include "antenna_record.h"
#include "create_new_antenna_curve_dlg.h"
#include "message_presenter.h"

namespace {

const CurveEditWindow::Texts antenna_texts{
    QStringLiteral("Create - Edit Antenna Pattern Data"),   // 131
    QStringLiteral("Angle (\u00b0)"),                        // 130
    QStringLiteral("Response dB"),                           // 117
    QStringLiteral("Import Antenna Pattern from Text File"), // 129
};

constexpr const char* new_caption = "Create New Antenna Pattern";
constexpr const char* no_free_slot =
    "All eight pattern cuts hold points. Delete one before creating another.";

// The first slot holding points, or -1.
int first_filled_slot(const Antenna_Record& record) {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (!record.cut(slot).empty()) {
            return slot;
        }
    }
    return -1;
}

} // namespace

AntennaCurveEdit::AntennaCurveEdit(Antenna_Record& record, QWidget* parent, Slot_Asker ask_slot)
    : CurveEditWindow(parent, antenna_texts, true), m_record(record),
      m_ask_slot(ask_slot ? std::move(ask_slot) : Slot_Asker(ask_new_cut_slot)) {
    start(first_filled_slot(record));
}

std::vector<CurveEditWindow::Curve_Entry> AntennaCurveEdit::curve_entries() const {
    std::vector<Curve_Entry> entries;
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (!m_record.cut(slot).empty() || slot == current_curve()) {
            entries.push_back({QString::fromLatin1(pattern_cut_name(slot)), slot});
        }
    }
    return entries;
}

Curve_Points AntennaCurveEdit::load_curve(int curve) {
    return curve_points_of(m_record.cut(curve));
}

bool AntennaCurveEdit::store_curve(int curve, const Curve_Points& points) {
    store_pattern_cut(m_record, curve, points);
    return true;
}

std::optional<int> AntennaCurveEdit::create_curve() {
    const std::optional<int> slot = m_ask_slot(this, m_record);
    if (!slot || *slot < 0 || *slot >= PATTERN_SLOTS) {
        return std::nullopt;
    }
    // The slot becomes current with an empty grid; its points reach the record when written
    // back. A single stray point left in a free slot goes with it.
    if (!m_record.cut(*slot).empty()) {
        m_record.set_cut(*slot, {});
        set_record_changed();
    }
    return slot;
}

void AntennaCurveEdit::remove_curve(int curve) {
    m_record.set_cut(curve, {});
}

double AntennaCurveEdit::imported_x(double x) const {
    return x > 180.0 ? x - 360.0 : x;
}

std::vector<Chart_Overlay> AntennaCurveEdit::overlays(int curve) const {
    std::vector<Chart_Overlay> others;
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (slot == curve || !same_pattern_plane(slot, curve) || m_record.cut(slot).empty()) {
            continue;
        }
        const Curve_Points points = curve_points_of(m_record.cut(slot));
        others.push_back({QString::fromLatin1(pattern_cut_name(slot)),
                          {points.points().begin(), points.points().end()}});
    }
    return others;
}

std::optional<int> ask_new_cut_slot(QWidget* parent, const Antenna_Record& record) {
    const New_Cut_Choice choice = new_cut_choice(record);
    if (choice.checked < 0) {
        show_message_box(static_cast<QWidget*>(parent), new_caption, no_free_slot,
                         BOX_OK | BOX_ICON_INFORMATION);
        return std::nullopt;
    }
    CreateNewAntennaCurveDlg dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const int slot = dialog.chosen_slot();
    return slot >= 0 ? std::optional<int>(slot) : std::nullopt;
}

bool edit_antenna_curves(QWidget* parent, Antenna_Record& record) {
    AntennaCurveEdit editor(record, parent);
    return editor.run();
}
