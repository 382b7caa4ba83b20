// dbl2_edit: the in-place edit over one cell of the curve grid. It takes the keys that end an
// edit and the characters of a number; everything else is an ordinary line edit.
#pragma once

#include "curve_grid.h"

#include <QLineEdit>

class dbl2_edit : public QLineEdit {
    Q_OBJECT
public:
    explicit dbl2_edit(QWidget* parent = nullptr);

signals:
    // Enter, Tab, Shift+Tab, Up, Down or Escape: the frame hands it to the grid.
    void grid_key(Grid_Key key);
    // A character outside the number characters, or one past the limit.
    void refused();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
