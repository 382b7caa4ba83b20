// The mode window around a document.
#include "document_editor.h"

#include "file_document.h"
#include "keyword_form.h"

#include <QVBoxLayout>

Document_Editor::Document_Editor(QWidget* parent, Editor_Sinks sinks)
    : QWidget(parent), m_sinks(std::move(sinks)) {
    setFocusPolicy(Qt::StrongFocus);
}

Document_Editor::~Document_Editor() = default;

void Document_Editor::attach(File_Document& document) {
    m_document = &document;
    connect(&document, &File_Document::changed, this, [this] { refresh(); });
    connect(&document, &File_Document::title_changed, this, [this](const std::string& path) {
        if (m_sinks.title) {
            m_sinks.title(path);
        }
    });
    const auto commands_changed = [this] {
        if (m_sinks.commands_changed) {
            m_sinks.commands_changed();
        }
    };
    connect(&document.undo_stack(), &QUndoStack::canUndoChanged, this, commands_changed);
    connect(&document.undo_stack(), &QUndoStack::canRedoChanged, this, commands_changed);
}

void Document_Editor::commit_pending_edit() {
    if (m_form != nullptr) {
        m_form->commit_edit();
    }
}

bool Document_Editor::handle_command(int id) {
    commit_pending_edit();
    if (!command_available(id)) {
        return true;
    }
    return m_document->handle_command(id);
}

bool Document_Editor::command_available(int id) const {
    return !lacks_command(id) && m_document->command_available(id);
}

bool Document_Editor::query_close() {
    commit_pending_edit();
    return m_document->query_close();
}

bool Document_Editor::open_file(const std::string& path) {
    commit_pending_edit();
    return m_document->open_path(path);
}

void Document_Editor::set_content(QWidget* content) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}
