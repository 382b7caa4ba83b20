// V4RadioFileEdit: the view of the version 4 radio mode.
#pragma once

#include "document_editor.h"
#include "raf4_form_model.h"
#include "v4_radio_document.h"

#include <functional>

class Keyword_Form;
class RadioCurveEdit40;

class V4RadioFileEdit : public Document_Editor {
    Q_OBJECT

public:
    V4RadioFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~V4RadioFileEdit() override;

    V4_Radio_Document& document() { return m_document; }
    // The form of the record's keywords.
    Keyword_Form& form() { return *m_form; }

    // View > Curves opens the curve editor; the other commands go to the document.
    bool handle_command(int id) override;
    void refresh() override;

    // Runs the curve editor modally and returns whether it changed the record (run(), or a
    // script in the tests).
    using Curve_Editor_Runner = std::function<bool(RadioCurveEdit40&)>;
    void set_curve_editor_runner(Curve_Editor_Runner runner) { m_run_editor = std::move(runner); }

    // The curve editor on a copy of the record; when it reports a change, the copy becomes the
    // record as one undo step.
    void edit_curves();

protected:
    bool lacks_command(int id) const override;

private:
    V4_Radio_Document m_document;
    Raf4_Form_Model m_model;
    Keyword_Form* m_form;
    Curve_Editor_Runner m_run_editor;
};
