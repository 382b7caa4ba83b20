// V5RadioFileEdit: the view of the version 5 radio mode.
#pragma once

#include "mode_editor.h"
#include "v5_radio_document.h"

#include <QWidget>

class Summary_Panel;

class V5RadioFileEdit : public QWidget, public Mode_Editor {
    Q_OBJECT

public:
    V5RadioFileEdit(QWidget* parent, Title_Sink title_sink);
    ~V5RadioFileEdit() override;

    Equipment_Mode mode() const override { return Equipment_Mode::radio_v5; }
    bool handle_command(int id) override;
    bool command_available(int id) const override;
    bool query_close() override;
    bool open_file(const std::string& path) override;

    V5_Radio_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    // Shows what the record holds now.
    void refresh();

private:
    V5_Radio_Document m_document;
    Summary_Panel* m_summary;
};
