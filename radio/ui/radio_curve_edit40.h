// RadioCurveEdit40: the curve editor of the version 4 radio mode. It lists the record's curves
// by name, edits one at a time in the grid beside its chart, creates curves through
// CreateNewCurve40Dlg and deletes them at once.
#pragma once

#include "curve_edit_window.h"

#include <functional>

class QDialog;
struct Radio4_Curve;
struct Radio4_Record;

class RadioCurveEdit40 : public CurveEditWindow {
    Q_OBJECT

public:
    // Runs a modal dialog and returns its result (QDialog::exec, or a script in the tests).
    using Dialog_Runner = std::function<int(QDialog&)>;

    // Edits the curves of `record`, which must outlive the editor.
    RadioCurveEdit40(QWidget* parent, Radio4_Record& record);
    ~RadioCurveEdit40() override;

    // Replaces how the New dialog is run.
    void set_dialog_runner(Dialog_Runner runner) { m_run_dialog = std::move(runner); }

protected:
    std::vector<Curve_Entry> curve_entries() const override;
    Curve_Points load_curve(int curve) override;
    // A list of fewer than 2 points that would change the curve's point count is refused: the
    // curve keeps its points and the user is told so.
    bool store_curve(int curve, const Curve_Points& points) override;
    std::optional<int> create_curve() override;
    void remove_curve(int curve) override;

private:
    // Curve `index` of the record's list, or null.
    Radio4_Curve* curve_at(int index);

    Radio4_Record& m_record;
    Dialog_Runner m_run_dialog;
};
