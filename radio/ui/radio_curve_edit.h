// RadioCurveEdit: the curve editor of the version 5 radio mode, over the curves of one record,
// with the codes field of the curve shown.
#pragma once

#include "create_new_curve_dlg.h"
#include "curve_edit_window.h"

#include <functional>
#include <optional>

class QLineEdit;
struct Radio_Record;

class RadioCurveEdit : public CurveEditWindow {
    Q_OBJECT

public:
    // Runs the New dialog over the record's curves; the choice, or nullopt for Cancel.
    using New_Dialog = std::function<std::optional<New_Radio_Curve>(const Radio_Curve_List&,
                                                                    QWidget* owner)>;

    // Edits `record` (not owned), showing its first curve.
    explicit RadioCurveEdit(Radio_Record& record, QWidget* parent = nullptr);

    QLineEdit* codes_field() const { return m_codes; }
    // Replaces the New dialog (tests answer it without a window).
    void set_new_dialog(New_Dialog dialog) { m_new_dialog = std::move(dialog); }

protected:
    std::vector<Curve_Entry> curve_entries() const override;
    Curve_Points load_curve(int curve) override;
    bool store_curve(int curve, const Curve_Points& points) override;
    bool leave_curve(int curve) override;
    void curve_shown(int curve) override;
    std::optional<int> create_curve() override;
    void remove_curve(int curve) override;
    std::vector<Chart_Overlay> overlays(int curve) const override;
    bool changed_without_curve() const override { return true; }

private:
    Radio_Record& m_record;
    QLineEdit* m_codes;
    New_Dialog m_new_dialog;
};
