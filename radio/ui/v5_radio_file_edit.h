// V5RadioFileEdit: the view of the version 5 radio mode: the keyword form over the record.
#pragma once

#include "document_editor.h"
#include "radio_data_lists.h"
#include "v5_radio_document.h"

#include <memory>

class Keyword_Form;
class QPushButton;
class Raf_Form_Model;

class V5RadioFileEdit : public Document_Editor {
    Q_OBJECT

public:
    // The ids of the form's two push buttons (object names "control_155" and "control_156").
    static constexpr int IDC_ACM_DATA = 155;
    static constexpr int IDC_ACU_DATA = 156;

    V5RadioFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~V5RadioFileEdit() override;

    V5_Radio_Document& document() { return m_document; }
    Keyword_Form& form() { return *m_form; }

    void refresh() override;
    // View > Curves runs the curve editor; the other commands go to the document.
    bool handle_command(int id) override;

    // Edits the curves of a copy of the record and stores the copy as one undo step when the
    // editor changed them.
    void edit_curves();

    // Opens the TX power options of a state from the adaptive-modulation list (the worksheet
    // form); when empty, the list's entry is disabled.
    Tx_Power_Options_Hook power_options;

protected:
    bool lacks_command(int id) const override;

private:
    V5_Radio_Document m_document;
    std::unique_ptr<Raf_Form_Model> m_model;
    Keyword_Form* m_form;
};
