// RsdLockDlg: "Binary Radio Data file locking", the lock option's dialog.
#pragma once

#include "ldialog.h"

class QCheckBox;

class RsdLockDlg : public LDialog {
    Q_OBJECT

public:
    // The check box "Lock binary RSD files" starts at `locked`.
    explicit RsdLockDlg(bool locked, QWidget* parent = nullptr);

    bool locked() const;
    QCheckBox* check_box() const { return m_check_box; }

    bool OnInitDialog() override;

private:
    QCheckBox* m_check_box;
};
