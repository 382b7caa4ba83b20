// Keyword_Form: the painted form of the three editors: one row per keyword, the label at the left,
// the value cells to the right, an in-place editor or a choice list over the current cell. What
// the rows hold and how a text is stored comes from a Form_Model; the cursor moves by Form_Cursor.
#pragma once

#include "form_cursor.h"
#include "form_model.h"

#include <QAbstractScrollArea>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;

class Keyword_Form : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The form shows `model`, which outlives it.
    explicit Keyword_Form(Form_Model& model, QWidget* parent = nullptr);
    ~Keyword_Form() override;

    Form_Model& model() { return m_model; }
    const Form_Cursor& cursor() const { return m_cursor; }

    // The record changed (an edit, Undo, a file opened): an open editor or list is closed without
    // storing and the form redraws.
    void refresh();
    // Scrolls to the first row and puts the cursor on the first cell that takes it.
    void go_to_top();

    // Selects a cell as a click does (a pending edit is stored first); false when the row or cell
    // cannot be selected.
    bool select(int row, int cell);
    int current_row() const { return m_cursor.row(); }
    int current_cell() const { return m_cursor.cell(); }

    // Starts editing the current cell: a choice row opens its list; another row opens the editor
    // with `text` (the cell's text when null). False, after a beep, for a cell that takes no
    // typing or a text it does not take.
    bool start_edit(const QString* text = nullptr);
    // Stores the open editor's text (when it was changed) and closes it.
    void commit_edit();
    // Closes the open editor or list without storing.
    void cancel_edit();
    // The open in-place editor, or null.
    QLineEdit* cell_editor() const { return m_editor; }
    // The open choice list, or null.
    QComboBox* choice_list() const { return m_list; }
    // Chooses entry `index` in the open list (what a click in it does).
    void choose(int index);

    // Ctrl+C: the current cell's text to the clipboard.
    void copy_cell();
    // Ctrl+V: an editor on the current cell with the clipboard's first line, cut to the cell.
    bool paste_cell();

    // Moves to the first row whose label or keyword holds `text` (any case), searching from the
    // top; false when none does.
    bool find(const QString& text);
    // Opens the find box under the form (Ctrl+F).
    void open_find();

    // `widget` (a push button) is shown in row `row`, after the row's text; the form moves it
    // when it scrolls and hides it while the row is out of view. The form takes it.
    void place_in_row(int row, QWidget* widget);

    // Where a cell is drawn, in viewport coordinates (empty for a row out of view).
    QRect cell_rect(int row, int cell) const;
    // The row at a viewport position (-1 for none).
    int row_at(const QPoint& position) const;
    // The cell of `row` at a viewport x (-1 for none).
    int cell_at(int row, int x) const;

    int row_height() const { return m_row_height; }
    int label_width() const { return m_label_width; }

signals:
    // A key or a paste was refused (the form beeps).
    void refused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void measure();
    void update_scroll_bar();
    void after_move();
    void place_widgets();
    bool move(Form_Key key);
    void beep();
    // The x and width of the value area.
    int value_left() const;
    int value_width() const;
    void open_editor(const QString& text, bool changed);
    void open_list();
    void close_list();
    void place_editor();
    // The keys of the open editor; true when the form took the key.
    bool editor_key(QKeyEvent* event);
    // `text` as the current cell takes it (the first line, in the file's characters, each one
    // taken by the cell, cut to its limit); nullopt, after a beep, when it cannot.
    std::optional<QString> cell_text(const QString& text);
    void close_find();

    Form_Model& m_model;
    Form_Cursor m_cursor;
    std::vector<Form_Row> m_rows;
    int m_row_height = 20;
    int m_label_width = 100;
    int m_char_width = 8;
    bool m_descriptions = false; // some row has a description right of its cells
    QLineEdit* m_editor = nullptr;
    bool m_editor_changed = false;
    // True while a key is passed on to the editor.
    bool m_forwarding = false;
    int m_edit_row = -1;
    int m_edit_cell = -1;
    QComboBox* m_list = nullptr;
    int m_list_row = -1;
    QLineEdit* m_find = nullptr;
    std::map<int, QWidget*> m_row_widgets;
};
