// CurveEditWindow: what the three curve editors share. A modal window with a bar of controls
// (the curve list, New, Import, OK, Delete), the curve grid on the left and its chart on the
// right. It edits one curve at a time in a Curve_Points list and writes it back into the record
// when the user switches to another curve, creates one, or closes; New and Delete change the
// record at once. The editors of the record kinds supply the list, the loading and storing of a
// curve, the New dialog and the removal.
#pragma once

#include "curve_points.h"
#include "dbl2_view.h"
#include "ldialog.h"
#include "txtimport_format.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class dbl2_frame;

class CurveEditWindow : public LDialog {
    Q_OBJECT

public:
    // The controls, by the ids the handlers and the tests know them by.
    enum Control_Id : int {
        IDC_OK = 1,
        IDC_CURVE_LIST = 101,
        IDC_NEW = 102,
        IDC_IMPORT = 103,
        IDC_DELETE = 104,
        IDC_CODES = 105, // the version 5 editor's codes field
        IDC_GRID = 120,
        IDC_CHART = 121,
    };

    // The texts of an editor: its caption, the grid's column titles and the import dialog's
    // title.
    struct Texts {
        QString caption;
        QString x_title;
        QString y_title;
        QString import_title;
    };

    // One entry of the curve list: its text and the curve it names (a slot or an index of the
    // record's list, as the editor counts them).
    struct Curve_Entry {
        QString text;
        int curve = -1;
    };

    ~CurveEditWindow() override;

    // Shows the window modally until OK or the window is closed (which keeps the edits as OK
    // does: New and Delete have changed the record already). True when the record changed.
    bool run();

    QWidget* control(int id) const;
    dbl2_frame* grid() const { return m_grid; }
    dbl2_view* chart() const { return m_chart; }
    const Curve_Points& points() const { return m_points; }
    // The curve shown, or -1 for none.
    int current_curve() const { return m_current; }
    bool record_changed() const { return m_record_changed; }
    // The list's entries as shown.
    const std::vector<Curve_Entry>& entries() const { return m_entries; }

    void OnSelchangeCurveList();
    void OnNew();
    void OnImport();
    void OnDelete();
    void OnOK();

protected:
    // `pattern_cuts`: the curves are antenna pattern cuts (the chart offers the polar view).
    CurveEditWindow(QWidget* parent, const Texts& texts, bool pattern_cuts);

    // Called by the derived constructor once its members are ready: lists the curves and shows
    // `first` (or the first listed curve when it is -1 and the list has one).
    void start(int first = -1);

    // The entries of the curve list, in order. The current curve should be listed even while it
    // holds no points.
    virtual std::vector<Curve_Entry> curve_entries() const = 0;
    // The points of `curve` for the grid.
    virtual Curve_Points load_curve(int curve) = 0;
    // Writes the grid's points into `curve`; false when the record kind refused them (and said
    // why), the curve kept as it was.
    virtual bool store_curve(int curve, const Curve_Points& points) = 0;
    // What else leaves with a curve (the version 5 codes); true when that changed the record.
    virtual bool leave_curve(int curve) {
        (void)curve;
        return false;
    }
    // Called after `curve` (-1: none) was loaded into the grid.
    virtual void curve_shown(int curve) { (void)curve; }
    // Runs the New dialog and creates the curve as the record kind does (at once, or when its
    // points are first written back); the curve to show, or nullopt when cancelled.
    virtual std::optional<int> create_curve() = 0;
    // Removes `curve` from the record.
    virtual void remove_curve(int curve) = 0;
    // An imported x as the editor keeps it (antenna angles above 180 become negative).
    virtual double imported_x(double x) const { return x; }
    // The curves the chart may draw behind `curve` for comparison (never edited).
    virtual std::vector<Chart_Overlay> overlays(int curve) const {
        (void)curve;
        return {};
    }
    // OK without a curve shown reports the record changed (the version 5 editor does).
    virtual bool changed_without_curve() const { return false; }

    // Adds `widget` (and its label, when given) to the bar after the buttons, as control `id`.
    void add_to_bar(QLabel* label, QWidget* widget, int id);
    // Writes the current curve back when the grid changed it, then what leaves with it.
    void write_back();
    // Fills the list again and shows `curve` (-1: none): its points in the grid, the cursor at
    // the start, the chart drawn again.
    void show_curve(int curve);
    void set_record_changed() { m_record_changed = true; }
    // The list's entry text of the current curve, or empty.
    QString current_text() const;

    const Texts& texts() const { return m_texts; }

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void fill_list();
    void grid_changed();
    void update_chart();
    void remember_placement();

    Texts m_texts;
    Curve_Points m_points;
    int m_current = -1;
    bool m_record_changed = false;
    bool m_filling = false;
    bool m_done = false;
    std::vector<Curve_Entry> m_entries;
    // The definition of the last import, kept until the next one.
    std::unique_ptr<txtimport_format> m_import;
    std::map<int, QWidget*> m_controls;

    QHBoxLayout* m_bar = nullptr;
    QComboBox* m_list = nullptr;
    QSplitter* m_splitter = nullptr;
    dbl2_frame* m_grid = nullptr;
    dbl2_view* m_chart = nullptr;
};
