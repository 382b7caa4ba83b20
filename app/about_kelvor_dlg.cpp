// The About box.
#include "about_kelvor_dlg.h"

#include "kelvor_version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

const char* const about_notices[5] = {
    "Editor and converter for radio and antenna equipment data files",
    "Radio data files of versions 5 and 4, TIA NSMA antenna data files",
    "For microwave and land mobile link planning",
    "Copyright (C) The Kelvor developers",
    "This program comes with no warranty of any kind.",
};

AboutKelvorDlg::AboutKelvorDlg(QWidget* parent) : LDialog(parent) {
    setWindowTitle(QStringLiteral("Kelvor - Antenna and Radio file Editor "));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("control_112"));
    icon->setPixmap(QIcon(QStringLiteral(":/kelvor/kelvor.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* version = new QLabel(QString::fromLatin1(KELVOR_VERSION_TEXT), this);
    version->setObjectName(QStringLiteral("control_101"));
    QFont heading = version->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    version->setFont(heading);
    text->addWidget(version);
    const int controls[5] = {102, 104, 106, 107, 108};
    for (int i = 0; i < 5; ++i) {
        auto* line = new QLabel(QString::fromLatin1(about_notices[i]), this);
        line->setObjectName(QStringLiteral("control_%1").arg(controls[i]));
        if (i == 3) {
            text->addSpacing(8);
        }
        text->addWidget(line);
    }

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool AboutKelvorDlg::OnInitDialog() {
    LDialog::OnInitDialog();
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}
