// AboutKelvorDlg: the program's version and the publisher's notices.
#pragma once

#include "ldialog.h"

class AboutKelvorDlg : public LDialog {
    Q_OBJECT

public:
    explicit AboutKelvorDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;
};

// The publisher's notice lines (strings 2, 4, 6, 7 and 8 of the program).
extern const char* const about_notices[5];
