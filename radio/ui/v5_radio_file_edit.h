// V5RadioFileEdit: the view of the version 5 radio mode.
#pragma once

#include "document_editor.h"
#include "v5_radio_document.h"

class Summary_Panel;

class V5RadioFileEdit : public Document_Editor {
    Q_OBJECT

public:
    V5RadioFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~V5RadioFileEdit() override;

    V5_Radio_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    void refresh() override;
    // View > Curves runs the curve editor; the other commands go to the document.
    bool handle_command(int id) override;

    // Edits the curves of a copy of the record and stores the copy as one undo step when the
    // editor changed them.
    void edit_curves();

protected:
    bool lacks_command(int id) const override;

private:
    V5_Radio_Document m_document;
    Summary_Panel* m_summary;
};
