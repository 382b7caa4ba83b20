// AntennaFileEdit: the view of the antenna mode.
#pragma once

#include "antenna_document.h"
#include "antenna_form_model.h"
#include "document_editor.h"

#include <functional>

class Antenna_Record;
class Keyword_Form;

class AntennaFileEdit : public Document_Editor {
    Q_OBJECT

public:
    AntennaFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~AntennaFileEdit() override;

    Antenna_Document& document() { return m_document; }
    // The form of the record's keywords.
    Keyword_Form& form() { return *m_form; }

    void refresh() override;
    bool handle_command(int id) override;

    // View > Curves: runs the curve editor on a copy of the record; when it reports a change the
    // copy replaces the record as one undo step.
    void edit_curves();
    // Runs the curve editor on a record; true when it changed it. Tests replace it.
    std::function<bool(QWidget* parent, Antenna_Record& record)> curve_editor;

protected:
    bool lacks_command(int id) const override;

private:
    Antenna_Document m_document;
    Antenna_Form_Model m_model;
    Keyword_Form* m_form;
};
