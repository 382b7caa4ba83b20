// Message boxes shown with QMessageBox.
#include "qt_message_presenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int Qt_Message_Presenter::show_message(Owner_Window owner, const std::string& caption,
                                       const std::string& text, unsigned style) {
    return show_box(owner, caption, text, {}, style);
}

int Qt_Message_Presenter::show_detailed_message(Owner_Window owner, const std::string& caption,
                                                const std::string& text,
                                                const std::string& details, unsigned style) {
    return show_box(owner, caption, text, details, style);
}

int Qt_Message_Presenter::show_box(Owner_Window owner, const std::string& caption,
                                   const std::string& text, const std::string& details,
                                   unsigned style) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return cautious_answer(style);
    }
    QWidget* parent = static_cast<QWidget*>(owner);
    if (parent == nullptr) {
        parent = m_main_window != nullptr ? m_main_window.data() : QApplication::activeWindow();
    }
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(to_display_lines(text)));
    box.setTextFormat(Qt::PlainText);
    if (!details.empty()) {
        box.setDetailedText(QString::fromStdString(to_display_lines(details)));
    }
    switch (style & BOX_ICON_MASK) {
    case BOX_ICON_STOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case BOX_ICON_QUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case BOX_ICON_EXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case BOX_ICON_INFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (style & BOX_BUTTON_MASK) {
    case BOX_YES_NO_CANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case BOX_YES_NO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return ID_YES;
    case QMessageBox::No:
        return ID_NO;
    case QMessageBox::Cancel:
        return ID_CANCEL;
    default:
        return ID_OK;
    }
}
