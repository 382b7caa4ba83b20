// V4RadioFileEdit: the view of the version 4 radio mode.
#pragma once

#include "document_editor.h"
#include "v4_radio_document.h"

class Summary_Panel;

class V4RadioFileEdit : public Document_Editor {
    Q_OBJECT

public:
    V4RadioFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~V4RadioFileEdit() override;

    V4_Radio_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    void refresh() override;

protected:
    bool lacks_command(int id) const override;

private:
    V4_Radio_Document m_document;
    Summary_Panel* m_summary;
};
