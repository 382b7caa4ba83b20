// The record summary page.
#include "summary_panel.h"

#include "file_dialogs.h"
#include "text_helpers.h"

#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

Summary_Panel::Summary_Panel(QWidget* parent)
    : QScrollArea(parent), m_heading(new QLabel), m_subheading(new QLabel),
      m_rows(new QFormLayout) {
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette colours = page->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    page->setPalette(colours);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    QFont heading_font = m_heading->font();
    heading_font.setPointSizeF(heading_font.pointSizeF() * 1.5);
    heading_font.setBold(true);
    m_heading->setFont(heading_font);
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setObjectName(QStringLiteral("summary_heading"));
    m_subheading->setTextFormat(Qt::PlainText);
    m_subheading->setObjectName(QStringLiteral("summary_subheading"));
    QPalette muted = m_subheading->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    m_subheading->setPalette(muted);

    auto* rule = new QFrame(page);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    m_rows->setLabelAlignment(Qt::AlignRight);
    m_rows->setHorizontalSpacing(18);
    m_rows->setVerticalSpacing(8);
    m_rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(32, 28, 32, 28);
    layout->addWidget(m_heading);
    layout->addWidget(m_subheading);
    layout->addSpacing(6);
    layout->addWidget(rule);
    layout->addSpacing(10);
    layout->addLayout(m_rows);
    layout->addStretch(1);
    setWidget(page);
}

void Summary_Panel::set_heading(const QString& heading, const QString& subheading) {
    m_heading->setText(heading);
    m_subheading->setText(subheading);
}

void Summary_Panel::set_rows(const std::vector<std::pair<QString, QString>>& rows) {
    while (m_rows->rowCount() > 0) {
        m_rows->removeRow(0);
    }
    m_values = rows;
    for (const auto& [label, value] : rows) {
        auto* shown = new QLabel(value.isEmpty() ? QStringLiteral("\u2014") : value);
        shown->setTextFormat(Qt::PlainText);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_rows->addRow(label + QLatin1Char(':'), shown);
    }
}

QString Summary_Panel::heading() const { return m_heading->text(); }
QString Summary_Panel::subheading() const { return m_subheading->text(); }

QString Summary_Panel::value(const QString& label) const {
    for (const auto& [row_label, value] : m_values) {
        if (row_label == label) {
            return value;
        }
    }
    return {};
}

void Summary_Panel::set_file_heading(const std::string& path, const QString& unnamed,
                                     const QString& kind) {
    if (path.empty()) {
        set_heading(unnamed, kind);
    } else {
        set_heading(from_local_path(get_filename_c(path.c_str())),
                    kind + QStringLiteral(" \u2014 ") + from_local_path(path));
    }
}
