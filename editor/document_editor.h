// Document_Editor: the window of an equipment mode that edits one File_Document: it passes the
// menu commands to the document, tells the frame of new titles and command states, and redraws
// when the record changes.
#pragma once

#include "mode_editor.h"

#include <QWidget>

class File_Document;
class Keyword_Form;

class Document_Editor : public QWidget, public Mode_Editor {
    Q_OBJECT

public:
    ~Document_Editor() override;

    // A command the editor cannot carry out yet is swallowed; the others go to the document.
    bool handle_command(int id) override;
    bool command_available(int id) const override;
    bool query_close() override;
    bool open_file(const std::string& path) override;

    // Shows what the record holds now.
    virtual void refresh() = 0;

    // Stores what the form's open cell editor holds, before a command acts on the record.
    void commit_pending_edit();

protected:
    Document_Editor(QWidget* parent, Editor_Sinks sinks);

    // Connects the document's signals to the view and the frame; called once by the derived
    // constructor, which owns the document.
    void attach(File_Document& document);
    // Fills the editor with `content`, edge to edge.
    void set_content(QWidget* content);
    // The form whose pending edit every command stores first.
    void attach_form(Keyword_Form* form) { m_form = form; }
    // True for a command of the mode's menu whose window is not built yet.
    virtual bool lacks_command(int id) const = 0;

private:
    File_Document* m_document = nullptr;
    Keyword_Form* m_form = nullptr;
    Editor_Sinks m_sinks;
};
