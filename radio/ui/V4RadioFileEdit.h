// V4RadioFileEdit: the view of the version 4 radio mode.
#pragma once

#include "mode_editor.h"
#include "v4_radio_document.h"

#include <QWidget>

class Summary_Panel;

class V4RadioFileEdit : public QWidget, public Mode_Editor {
    Q_OBJECT

public:
    V4RadioFileEdit(QWidget* parent, Title_Sink title_sink);
    ~V4RadioFileEdit() override;

    Equipment_Mode mode() const override { return Equipment_Mode::radio_v4; }
    bool handle_command(int id) override;
    bool command_available(int id) const override;
    bool query_close() override;
    bool open_file(const std::string& path) override;

    V4_Radio_Document& document() { return m_document; }
    const Summary_Panel& summary() const { return *m_summary; }

    void refresh();

private:
    V4_Radio_Document m_document;
    Summary_Panel* m_summary;
};
