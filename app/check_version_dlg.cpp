// The update check dialog.
#include "check_version_dlg.h"

#include "ini_settings.h"
#include "kelvor_version.h"
#include "update_check.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

CheckVersionDlg::CheckVersionDlg(QWidget* parent, std::string address)
    : LDialog(parent), m_address(std::move(address)), m_program_version(new QLabel(this)),
      m_latest_version(new QLabel(this)) {
    if (m_address.empty()) {
        m_address = update_check_address(ReadINIfile("Update check", "KELVOR_UPDATE_URL", ""));
    }
    setWindowTitle(QStringLiteral("Kelvor - Check for Update"));
    m_value_font = font();
    m_value_font.setBold(true);

    m_program_version->setObjectName(QStringLiteral("control_1000"));
    m_latest_version->setObjectName(QStringLiteral("control_1001"));
    for (QLabel* value : {m_program_version, m_latest_version}) {
        value->setFont(m_value_font);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_program_version->setText(QString::fromLatin1(KELVOR_VERSION_TEXT));

    auto* values = new QGridLayout;
    values->addWidget(new QLabel(QStringLiteral("This Program Version:"), this), 0, 0,
                      Qt::AlignTop);
    values->addWidget(m_program_version, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("Latest Version:"), this), 1, 0, Qt::AlignTop);
    values->addWidget(m_latest_version, 1, 1);
    values->setColumnStretch(1, 1);
    values->setHorizontalSpacing(12);

    const QString site = QString::fromStdString(
        site_address(ReadINIfile("Update check", "KELVOR_SITE_URL", "")));
    auto* link = new QLabel(this);
    link->setObjectName(QStringLiteral("control_1002"));
    link->setTextFormat(Qt::RichText);
    link->setText(QStringLiteral("<a href=\"%1\">Visit the Kelvor site to download the latest "
                                 "update</a>")
                      .arg(site.toHtmlEscaped()));
    link->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addSpacing(8);
    layout->addWidget(link);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void CheckVersionDlg::run_check() {
    // The transfer blocks the window; the busy cursor goes again however the fetch ends.
    struct Busy_Cursor {
        Busy_Cursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~Busy_Cursor() { QApplication::restoreOverrideCursor(); }
    };
    std::string latest;
    {
        const Busy_Cursor busy;
        latest = latest_version_text(m_address);
    }
    m_latest_version->setText(QString::fromLocal8Bit(latest.c_str()));
    m_checked = true;
}

QString CheckVersionDlg::program_version() const { return m_program_version->text(); }
QString CheckVersionDlg::latest_version() const { return m_latest_version->text(); }

bool CheckVersionDlg::OnInitDialog() {
    LDialog::OnInitDialog();
    if (!m_checked) {
        run_check();
    }
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}
