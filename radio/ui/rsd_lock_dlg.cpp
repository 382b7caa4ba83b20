// The lock option's dialog.
#include "rsd_lock_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

RsdLockDlg::RsdLockDlg(bool locked, QWidget* parent)
    : LDialog(parent), m_check_box(new QCheckBox(QStringLiteral("Lock binary RSD files"), this)) {
    setWindowTitle(QStringLiteral("Binary Radio Data file locking"));
    m_check_box->setObjectName(QStringLiteral("control_101"));
    m_check_box->setChecked(locked);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_check_box);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool RsdLockDlg::locked() const { return m_check_box->isChecked(); }

bool RsdLockDlg::OnInitDialog() {
    LDialog::OnInitDialog();
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}
