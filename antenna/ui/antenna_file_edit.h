// AntennaFileEdit: the view of the antenna mode.
#pragma once

#include "antenna_document.h"
#include "document_editor.h"

class Summary_Panel;

class AntennaFileEdit : public Document_Editor {
    Q_OBJECT

public:
    AntennaFileEdit(QWidget* parent, Editor_Sinks sinks);
    ~AntennaFileEdit() override;

    Antenna_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    void refresh() override;

protected:
    bool lacks_command(int id) const override;

private:
    Antenna_Document m_document;
    Summary_Panel* m_summary;
};
