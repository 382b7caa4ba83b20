// Summary_Panel: a read-only page that shows what a record holds: a heading, a line under it
// and rows of labels and values; it scrolls when the window is smaller than its text.
#pragma once

#include <QString>
#include <QScrollArea>

#include <string>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;

class Summary_Panel : public QScrollArea {
    Q_OBJECT

public:
    explicit Summary_Panel(QWidget* parent = nullptr);

    void set_heading(const QString& heading, const QString& subheading);
    // The heading of a record's file: its name, and below it `kind` with the whole path; for an
    // unnamed record (empty path) `unnamed` over `kind` alone.
    void set_file_heading(const std::string& path, const QString& unnamed, const QString& kind);
    // Replaces the rows; an empty value shows as a dash.
    void set_rows(const std::vector<std::pair<QString, QString>>& rows);

    QString heading() const;
    QString subheading() const;
    // The value shown beside `label`, or a null string when there is no such row.
    QString value(const QString& label) const;

private:
    QLabel* m_heading;
    QLabel* m_subheading;
    QFormLayout* m_rows;
    std::vector<std::pair<QString, QString>> m_values;
};
