// The New dialog of the version 5 curve editor.
#include "create_new_curve_dlg.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "message_presenter.h"
#include "qt_file_text.h"
#include "text_helpers.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr const char* type_texts[] = {
    "TtoI_Same",      "TtoI_Other",     "IRF_Same",
    "IRF_Other",      "TtoI_CW",        "TX EMISSION",
    "RX_SELECTIVITY", "RX_FILTER (optional)", "TX_FILTER (optional)",
};
constexpr int fixed_type_count = 9;
constexpr int tx_button = 9;
constexpr int rx_button = 10;

// State numbers shown with two digits, as the curve names carry them.
class State_Spin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
};

QString state_text(State_Family family, int number) {
    const char* name = family == State_Family::tx_emission ? "TX_EMISSION_%1" : "RX_SELECTIVITY_%1";
    return QString::fromLatin1(name).arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<std::string> code_text_of(QWidget* owner, const QString& text) {
    QChar refused;
    std::optional<std::string> bytes = to_file_text(text, &refused);
    if (!bytes) {
        const QString message =
            QStringLiteral("The codes hold a character that the data files cannot hold: "
                           "\u201c%1\u201d (U+%2).")
                .arg(refused)
                .arg(refused.unicode(), 4, 16, QLatin1Char('0'));
        show_message_box(static_cast<Owner_Window>(owner), "Data Entry Error",
                         message.toStdString(), BOX_OK | BOX_ICON_STOP);
    }
    return bytes;
}

CreateNewCurveDlg::CreateNewCurveDlg(const Radio_Curve_List& curves, QWidget* parent)
    : LDialog(parent), m_curves(curves) {
    setWindowTitle(QStringLiteral("Create New Radio Curve"));

    auto* group = new QButtonGroup(this);
    auto* types = new QGroupBox(QStringLiteral("Curve type"));
    auto* grid = new QGridLayout(types);
    for (int i = 0; i < fixed_type_count; ++i) {
        m_types[i] = new QRadioButton(QString::fromLatin1(type_texts[i]));
        m_types[i]->setObjectName(QStringLiteral("control_%1").arg(IDC_TYPE_FIRST + i));
        m_types[i]->setEnabled(new_type_enabled(curves, i));
        group->addButton(m_types[i], IDC_TYPE_FIRST + i);
        grid->addWidget(m_types[i], i, 0, 1, 2);
    }

    const auto add_family = [&](State_Family family, int button, int button_id, int spin_id,
                                QSpinBox*& spin) {
        const int free_number = first_free_state(curves, family);
        m_types[button] = new QRadioButton(state_text(family, free_number > 0 ? free_number : 1));
        m_types[button]->setObjectName(QStringLiteral("control_%1").arg(button_id));
        m_types[button]->setEnabled(free_number > 0);
        group->addButton(m_types[button], button_id);
        spin = new State_Spin;
        spin->setObjectName(QStringLiteral("control_%1").arg(spin_id));
        spin->setRange(STATE_NUMBER_FIRST, STATE_NUMBER_LAST);
        spin->setValue(free_number > 0 ? free_number : STATE_NUMBER_FIRST);
        spin->setEnabled(free_number > 0);
        spin->setAccelerated(true);
        const int row = grid->rowCount();
        grid->addWidget(m_types[button], row, 0);
        grid->addWidget(spin, row, 1);
        connect(spin, &QSpinBox::valueChanged, this,
                [this, family] { state_number_changed(family); });
    };
    add_family(State_Family::tx_emission, tx_button, IDC_TX_EMISSION_STATE, IDC_TX_EMISSION_SPIN,
               m_tx_spin);
    add_family(State_Family::rx_selectivity, rx_button, IDC_RX_SELECTIVITY_STATE,
               IDC_RX_SELECTIVITY_SPIN, m_rx_spin);
    grid->setColumnStretch(0, 1);

    m_types[first_new_type(curves)]->setChecked(true);

    auto* code_label =
        new QLabel(QStringLiteral("Other radio code(s) or Adaptive modulation identifier"));
    m_code = new QLineEdit;
    m_code->setObjectName(QStringLiteral("control_%1").arg(IDC_CODE));
    m_code->setMaxLength(code_text_limit);
    code_label->setBuddy(m_code);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CreateNewCurveDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(types);
    layout->addWidget(code_label);
    layout->addWidget(m_code);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* CreateNewCurveDlg::type_button(int id) const {
    const int index = id - IDC_TYPE_FIRST;
    return index >= 0 && index <= rx_button ? m_types[index] : nullptr;
}

QSpinBox* CreateNewCurveDlg::spin(int id) const {
    return id == IDC_TX_EMISSION_SPIN   ? m_tx_spin
           : id == IDC_RX_SELECTIVITY_SPIN ? m_rx_spin
                                           : nullptr;
}

bool CreateNewCurveDlg::OnInitDialog() {
    LDialog::OnInitDialog();
    center_dialog(-1, -1, DP_CENTRE);
    return true;
}

void CreateNewCurveDlg::state_number_changed(State_Family family) {
    const bool tx = family == State_Family::tx_emission;
    QRadioButton* button = m_types[tx ? tx_button : rx_button];
    const int number = (tx ? m_tx_spin : m_rx_spin)->value();
    button->setText(state_text(family, number));
    button->setEnabled(!has_curve_type(m_curves, state_curve_type(family, number)));
}

int CreateNewCurveDlg::checked_type() const {
    for (int i = 0; i < fixed_type_count; ++i) {
        if (m_types[i]->isChecked()) {
            return i;
        }
    }
    if (m_types[tx_button]->isChecked()) {
        return state_curve_type(State_Family::tx_emission, m_tx_spin->value());
    }
    if (m_types[rx_button]->isChecked()) {
        return state_curve_type(State_Family::rx_selectivity, m_rx_spin->value());
    }
    return -1;
}

void CreateNewCurveDlg::accept() {
    std::optional<std::string> typed = code_text_of(this, m_code->text());
    if (!typed) {
        return;
    }
    std::string code = *typed;
    strip_space(code.data());
    code.resize(std::char_traits<char>::length(code.c_str()));
    const int type = checked_type();
    const int refusal = new_curve_refusal(m_curves, type, code);
    if (refusal != 0) {
        error_handler(static_cast<QWidget*>(this), refusal, MSG_DATA_ENTRY_ERROR, nullptr, 0,
                      false);
        return;
    }
    m_result = {type, code};
    LDialog::accept();
}
