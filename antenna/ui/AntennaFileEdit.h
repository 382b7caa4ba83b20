// AntennaFileEdit: the view of the antenna mode.
#pragma once

#include "antenna_document.h"
#include "mode_editor.h"

#include <QWidget>

class Summary_Panel;

class AntennaFileEdit : public QWidget, public Mode_Editor {
    Q_OBJECT

public:
    AntennaFileEdit(QWidget* parent, Title_Sink title_sink);
    ~AntennaFileEdit() override;

    Equipment_Mode mode() const override { return Equipment_Mode::antenna; }
    bool handle_command(int id) override;
    bool command_available(int id) const override;
    bool query_close() override;
    bool open_file(const std::string& path) override;

    Antenna_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    void refresh();

private:
    Antenna_Document m_document;
    Summary_Panel* m_summary;
};
