// CreateNewCurve40Dlg: the New dialog of the version 4 curve editor. The user picks the type of
// the curve and, for TtoI and IRF curves, the traffic code of the interfering radio; OK checks
// the name the curve would get and keeps the dialog open when it is refused.
#pragma once

#include "ldialog.h"
#include "radio4_new_curve.h"

#include <map>
#include <string>

class QButtonGroup;
class QLineEdit;
class QLabel;
struct Radio4_Record;

class CreateNewCurve40Dlg : public LDialog {
    Q_OBJECT

public:
    static constexpr unsigned IDD_CREATE_NEW_CURVE40 = 1011;

    enum Control_Id : int {
        IDC_OK = 1,
        IDC_CANCEL = 2,
        IDC_TTOI = 101,
        IDC_IRF = 102,
        IDC_TTOI_CW = 103,
        IDC_TX_EMISSION = 104,
        IDC_RX_SELECTIVITY = 105,
        IDC_RX_FILTER = 106,
        IDC_TX_FILTER = 107,
        IDC_TRAFFIC_CODE = 108,
        IDC_OWN_CODE = 109,
    };

    // The buttons of the types whose curve `record` holds are disabled.
    CreateNewCurve40Dlg(QWidget* parent, const Radio4_Record& record);

    QWidget* control(int id) const;
    // The checked type.
    Radio4_New_Kind kind() const;
    // After OK: the name of the curve to create.
    const std::string& curve_name() const { return m_name; }

    void OnOK();

private:
    const Radio4_Record& m_record;
    QButtonGroup* m_types;
    QLineEdit* m_code;
    std::map<int, QWidget*> m_controls;
    std::string m_name;
};
