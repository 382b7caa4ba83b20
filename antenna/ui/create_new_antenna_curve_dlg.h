// CreateNewAntennaCurveDlg: "Create New Antenna Pattern", the choice of the slot a new pattern cut
// goes into.
#pragma once

#include "antenna_cut_slots.h"
#include "ldialog.h"

#include <array>

class QRadioButton;

class CreateNewAntennaCurveDlg : public LDialog {
    Q_OBJECT

public:
    enum { IDD = 1004, IDC_FIRST_SLOT = 101 }; // slot s is button 101 + s

    // The slot buttons enabled and checked as `choice` says.
    explicit CreateNewAntennaCurveDlg(const New_Cut_Choice& choice, QWidget* parent = nullptr);

    QRadioButton* slot_button(int slot) const;
    // The button with id `id` (101 to 108), or null.
    QWidget* control(int id) const;
    // The checked slot, -1 for none.
    int chosen_slot() const;

    bool OnInitDialog() override;

private:
    std::array<QRadioButton*, PATTERN_SLOTS> m_slots{};
};
