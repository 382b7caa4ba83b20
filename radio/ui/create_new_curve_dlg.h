// CreateNewCurveDlg: "Create New Radio Curve", the choice of a new version 5 curve: its type
// and its code text.
#pragma once

#include "curve_edit_rules.h"
#include "ldialog.h"

#include <QString>

#include <optional>
#include <string>

class QLineEdit;
class QRadioButton;
class QSpinBox;
class Radio_Curve_List;

// What OK of the dialog returns: the type and the stripped code text.
struct New_Radio_Curve {
    int type = -1;
    std::string code_text;
};

// The code text the user typed as the files hold it; nullopt, after telling the user under
// "Data Entry Error", when it holds a character the files cannot.
std::optional<std::string> code_text_of(QWidget* owner, const QString& text);

class CreateNewCurveDlg : public LDialog {
    Q_OBJECT

public:
    enum { IDD = 1003 };
    enum Control_Id : int {
        IDC_TYPE_FIRST = 101, // 101 to 109: the types 0 to 8
        IDC_TX_EMISSION_STATE = 110,
        IDC_RX_SELECTIVITY_STATE = 111,
        IDC_RX_SELECTIVITY_SPIN = 112,
        IDC_TX_EMISSION_SPIN = 113,
        IDC_CODE = 114,
    };
    static constexpr int code_text_limit = 255;

    // Offers the types `curves` may still take; the list is read while the dialog runs.
    explicit CreateNewCurveDlg(const Radio_Curve_List& curves, QWidget* parent = nullptr);

    QRadioButton* type_button(int id) const;
    QSpinBox* spin(int id) const;
    QLineEdit* code_edit() const { return m_code; }

    // The choice after OK.
    const New_Radio_Curve& choice() const { return m_result; }

    bool OnInitDialog() override;
    // Refuses an existing curve (450) or a curve against other radios without a code (290);
    // otherwise keeps the choice and closes.
    void accept() override;

private:
    // The type the checked button stands for, or -1.
    int checked_type() const;
    // The family button's text and state after its number changed.
    void state_number_changed(State_Family family);

    const Radio_Curve_List& m_curves;
    // The types 0 to 8, then the TX_EMISSION_nn and RX_SELECTIVITY_nn buttons.
    QRadioButton* m_types[11] = {};
    QSpinBox* m_tx_spin = nullptr;
    QSpinBox* m_rx_spin = nullptr;
    QLineEdit* m_code = nullptr;
    New_Radio_Curve m_result;
};
