// The technology question of the conversion to .asd.
#include "antenna_tech_dlg.h"

#include "file_dialogs.h"
#include "text_helpers.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

antenna_tech_dlg::antenna_tech_dlg(const Technology_Answers& answers, const QString& file_name,
                                   QWidget* parent)
    : LDialog(parent), m_dipole(new QRadioButton(QStringLiteral("Dipole antenna"), this)),
      m_aperture(new QRadioButton(QStringLiteral("Aperture antenna"), this)),
      m_use_for_all(new QCheckBox(
          QStringLiteral("Use this definitions in all remaining files if required"), this)) {
    setWindowTitle(QStringLiteral("Antenna Technology"));
    auto* explanation = new QLabel(
        QStringLiteral("The antenna technology is not specified in this file. Choose the "
                       "technology the binary file is to record."),
        this);
    explanation->setWordWrap(true);
    auto* name = new QLabel(file_name, this);
    name->setObjectName(QStringLiteral("control_104"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    m_dipole->setObjectName(QStringLiteral("control_101"));
    m_aperture->setObjectName(QStringLiteral("control_102"));
    m_use_for_all->setObjectName(QStringLiteral("control_103"));
    (answers.last_technology == 2 ? m_aperture : m_dipole)->setChecked(true);
    m_use_for_all->setChecked(answers.use_for_all);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(name);
    layout->addSpacing(6);
    layout->addWidget(m_dipole);
    layout->addWidget(m_aperture);
    layout->addSpacing(6);
    layout->addWidget(m_use_for_all);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

Technology_Answers antenna_tech_dlg::answers() const {
    Technology_Answers chosen;
    chosen.last_technology = m_aperture->isChecked() ? 2 : 1;
    chosen.use_for_all = m_use_for_all->isChecked();
    return chosen;
}

bool antenna_tech_dlg::OnInitDialog() {
    LDialog::OnInitDialog();
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}

bool ask_antenna_technology(QWidget* parent, const char* path, Technology_Answers& answers) {
    antenna_tech_dlg dialog(answers, from_local_path(get_filename_c(path)), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    answers = dialog.answers();
    return true;
}
