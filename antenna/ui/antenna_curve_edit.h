// AntennaCurveEdit: the curve editor of the antenna mode, over the eight pattern-cut slots of an
// antenna record. The grid shows a cut as angles and levels (0 dB at the peak, negative below).
#pragma once

#include "curve_edit_window.h"

#include <functional>
#include <optional>

class Antenna_Record;

class AntennaCurveEdit : public CurveEditWindow {
    Q_OBJECT

public:
    // Asks for the slot of a new cut (the New dialog); nullopt when cancelled.
    using Slot_Asker = std::function<std::optional<int>(QWidget* parent, const Antenna_Record&)>;

    // Edits `record` (not owned); `ask_slot` replaces the New dialog when given.
    AntennaCurveEdit(Antenna_Record& record, QWidget* parent = nullptr, Slot_Asker ask_slot = {});

protected:
    std::vector<Curve_Entry> curve_entries() const override;
    Curve_Points load_curve(int curve) override;
    bool store_curve(int curve, const Curve_Points& points) override;
    std::optional<int> create_curve() override;
    void remove_curve(int curve) override;
    double imported_x(double x) const override;
    std::vector<Chart_Overlay> overlays(int curve) const override;

private:
    Antenna_Record& m_record;
    Slot_Asker m_ask_slot;
};

// Runs the New dialog for `record`: the chosen slot, or nullopt when cancelled. With every slot
// taken it says so in a message box instead.
std::optional<int> ask_new_cut_slot(QWidget* parent, const Antenna_Record& record);

// Opens the editor on `record` and runs it; true when it changed the record.
bool edit_antenna_curves(QWidget* parent, Antenna_Record& record);
