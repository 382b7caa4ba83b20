// The New dialog of the antenna curve editor: two groups of four polarizations.
#include "create_new_antenna_curve_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CreateNewAntennaCurveDlg::CreateNewAntennaCurveDlg(const New_Cut_Choice& choice, QWidget* parent)
    : LDialog(parent) {
    setWindowTitle(QStringLiteral("Create New Antenna Pattern"));

    // One choice across both groups.
    auto* group_of_all = new QButtonGroup(this);
    group_of_all->setExclusive(true);
    auto* planes = new QHBoxLayout;
    for (int plane = 0; plane < 2; ++plane) {
        auto* group = new QGroupBox(plane == 0 ? QStringLiteral("AZ - H") : QStringLiteral("EL - V"));
        auto* column = new QVBoxLayout(group);
        for (int slot = plane * 4; slot < plane * 4 + 4; ++slot) {
            auto* button = new QRadioButton(QString::fromLatin1(pattern_slots[slot].polarization));
            button->setObjectName(QStringLiteral("control_%1").arg(IDC_FIRST_SLOT + slot));
            button->setEnabled(choice.enabled[static_cast<std::size_t>(slot)]);
            button->setChecked(slot == choice.checked);
            group_of_all->addButton(button, slot);
            m_slots[static_cast<std::size_t>(slot)] = button;
            column->addWidget(button);
        }
        planes->addWidget(group);
    }

    auto* note = new QLabel(QStringLiteral(
        "In the Tornvale program, horizontal - vertical pattern cuts are treated the same as "
        "azimuth - elevation pattern cuts."));
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(choice.checked >= 0);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (chosen_slot() >= 0) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(planes);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

QRadioButton* CreateNewAntennaCurveDlg::slot_button(int slot) const {
    return m_slots[static_cast<std::size_t>(slot)];
}

QWidget* CreateNewAntennaCurveDlg::control(int id) const {
    const int slot = id - IDC_FIRST_SLOT;
    return slot >= 0 && slot < PATTERN_SLOTS ? slot_button(slot) : nullptr;
}

int CreateNewAntennaCurveDlg::chosen_slot() const {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (m_slots[static_cast<std::size_t>(slot)]->isChecked() &&
            m_slots[static_cast<std::size_t>(slot)]->isEnabled()) {
            return slot;
        }
    }
    return -1;
}

bool CreateNewAntennaCurveDlg::OnInitDialog() {
    LDialog::OnInitDialog();
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}
