// CheckVersionDlg: the program's version beside the latest published one.
#pragma once

#include "ldialog.h"

#include <QFont>

#include <string>

class QLabel;

class CheckVersionDlg : public LDialog {
    Q_OBJECT

public:
    // `address` is the version file's address; empty takes the deployment's (update_check_address
    // with the settings file's "Update check" / "KELVOR_UPDATE_URL").
    explicit CheckVersionDlg(QWidget* parent = nullptr, std::string address = {});

    // Fetches the version text and shows it, or "Not available". Runs when the dialog is first
    // shown.
    void run_check();

    QString program_version() const;
    QString latest_version() const;
    const std::string& address() const { return m_address; }

    bool OnInitDialog() override;

private:
    std::string m_address;
    QFont m_value_font;
    QLabel* m_program_version;
    QLabel* m_latest_version;
    bool m_checked = false;
};
