// The version 4 New dialog: the type buttons, the traffic code and the check on OK.
#include "create_new_curve40_dlg.h"

#include "message_presenter.h"
#include "qt_file_text.h"
#include "radio4_record.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct Type_Button {
    int id;
    const char* text;
    Radio4_New_Kind kind;
};

constexpr Type_Button type_buttons[] = {
    {CreateNewCurve40Dlg::IDC_TTOI, "TtoI", Radio4_New_Kind::ttoi},
    {CreateNewCurve40Dlg::IDC_IRF, "IRF", Radio4_New_Kind::irf},
    {CreateNewCurve40Dlg::IDC_TTOI_CW, "TtoI_CW", Radio4_New_Kind::ttoi_cw},
    {CreateNewCurve40Dlg::IDC_TX_EMISSION, "TX EMISSION", Radio4_New_Kind::tx_emission},
    {CreateNewCurve40Dlg::IDC_RX_SELECTIVITY, "RX_SELECTIVITY", Radio4_New_Kind::rx_selectivity},
    {CreateNewCurve40Dlg::IDC_RX_FILTER, "RX_FILTER (optional)", Radio4_New_Kind::rx_filter},
    {CreateNewCurve40Dlg::IDC_TX_FILTER, "TX_FILTER (optional)", Radio4_New_Kind::tx_filter},
};

} // namespace

CreateNewCurve40Dlg::CreateNewCurve40Dlg(QWidget* parent, const Radio4_Record& record)
    : LDialog(parent), m_record(record),
      m_types(new QButtonGroup(this)), m_code(new QLineEdit) {
    setWindowTitle(QStringLiteral("Create New Radio Curve"));
    auto* group = new QGroupBox(tr("Curve type"));
    auto* buttons_layout = new QVBoxLayout(group);
    for (const Type_Button& entry : type_buttons) {
        auto* button = new QRadioButton(QString::fromLatin1(entry.text));
        button->setEnabled(radio4_new_kind_available(record.curves, entry.kind));
        m_types->addButton(button, entry.id);
        buttons_layout->addWidget(button);
        m_controls[entry.id] = button;
    }
    m_types->button(IDC_TTOI)->setChecked(true);

    m_code->setMaxLength(static_cast<int>(RADIO4_TRAFFIC_CODE_LENGTH));
    auto* own_code =
        new QLabel(from_file_text(radio4_own_traffic_code(record.radio_spec)));
    own_code->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_controls[IDC_TRAFFIC_CODE] = m_code;
    m_controls[IDC_OWN_CODE] = own_code;

    auto* codes = new QFormLayout;
    codes->addRow(tr("Traffic code (TtoI and IRF):"), m_code);
    codes->addRow(tr("This radio's traffic code:"), own_code);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_controls[IDC_OK] = box->button(QDialogButtonBox::Ok);
    m_controls[IDC_CANCEL] = box->button(QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &CreateNewCurve40Dlg::OnOK);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(codes);
    layout->addWidget(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_code->setFocus();
}

QWidget* CreateNewCurve40Dlg::control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

Radio4_New_Kind CreateNewCurve40Dlg::kind() const {
    const int checked = m_types->checkedId();
    for (const Type_Button& entry : type_buttons) {
        if (entry.id == checked) {
            return entry.kind;
        }
    }
    return Radio4_New_Kind::ttoi;
}

void CreateNewCurve40Dlg::OnOK() {
    QChar refused;
    const std::optional<std::string> code = to_file_text(m_code->text(), &refused);
    if (!code) {
        const QString message =
            tr("The traffic code holds a character that the data files cannot hold: "
               "\u201c%1\u201d.")
                .arg(refused);
        show_message_box(static_cast<QWidget*>(this), RADIO4_CURVE_TYPE_ERROR,
                         message.toStdString(), BOX_OK | BOX_ICON_STOP);
        return;
    }
    const Radio4_New_Curve result = radio4_new_curve(m_record.curves, kind(), *code);
    if (!result.accepted()) {
        // The message names the curve in the files' characters; the box shows Unicode.
        show_message_box(static_cast<QWidget*>(this), RADIO4_CURVE_TYPE_ERROR,
                         from_file_text(result.message).toStdString(), BOX_OK | BOX_ICON_STOP);
        return;
    }
    m_name = result.name;
    accept();
}
