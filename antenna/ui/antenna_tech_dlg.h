// antenna_tech_dlg: "Antenna Technology", asked when a file converted to .asd does not state it.
#pragma once

#include "antenna_conversion.h"
#include "ldialog.h"

class QCheckBox;
class QRadioButton;

class antenna_tech_dlg : public LDialog {
    Q_OBJECT

public:
    // Starts from `answers`: Aperture when the last technology was 2, else Dipole; the check box
    // as the remembered flag. `file_name` is shown in field 104.
    antenna_tech_dlg(const Technology_Answers& answers, const QString& file_name,
                     QWidget* parent = nullptr);

    // The answers as the dialog shows them: the chosen technology (1 dipole, 2 aperture) and the
    // check box.
    Technology_Answers answers() const;

    QRadioButton* dipole() const { return m_dipole; }
    QRadioButton* aperture() const { return m_aperture; }
    QCheckBox* use_for_all() const { return m_use_for_all; }

    bool OnInitDialog() override;

private:
    QRadioButton* m_dipole;
    QRadioButton* m_aperture;
    QCheckBox* m_use_for_all;
};

// Shows the dialog for the file at `path`; OK stores its answers and gives true.
bool ask_antenna_technology(QWidget* parent, const char* path, Technology_Answers& answers);
