// The chart window: layout through the axis rules, the cached picture and the image exports.
#include "chart_wnd.h"

#include "file_dialogs.h"
#include "message_catalogue.h"
#include "message_presenter.h"
#include "qt_file_text.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPolygonF>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int TEXT_BOX = 4000; // wide enough for any label; only the alignment matters

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

// A font's size in tenths of a point, from its point size or its pixel size at `dpi`.
double tenths_of(const QFont& font, double dpi) {
    if (font.pointSizeF() > 0.0) {
        return font.pointSizeF() * 10.0;
    }
    return dpi > 0.0 ? font.pixelSize() * 720.0 / dpi : 80.0;
}

QColor text_colour() {
    return QColor(0, 0, 0);
}

} // namespace

QColor chart_background_colour(std::size_t index) {
    static const QColor colours[] = {
        QColor(80, 130, 220),  // blue
        QColor(70, 170, 90),   // green
        QColor(235, 150, 40),  // orange
        QColor(170, 100, 200), // violet
        QColor(40, 170, 180),  // teal
        QColor(150, 150, 150), // grey
    };
    return colours[index % std::size(colours)];
}

void Chart_Wnd::draw_curve(QPainter& painter, const QPolygonF& curve, const QColor& colour) {
    painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    // In pieces of a few dozen points: one long path costs the stroker far more than its
    // pieces do (a 3,600-point cut at a pixel ratio of 2: 52 ms as one path, 7 ms in pieces).
    constexpr qsizetype PIECE = 32;
    for (qsizetype start = 0; start + 1 < curve.size(); start += PIECE) {
        painter.drawPolyline(curve.constData() + start,
                             static_cast<int>(std::min(PIECE + 1, curve.size() - start)));
    }
}

QPolygonF Chart_Wnd::polygon_of(std::span<const Chart_Plan::Screen_Point> points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Chart_Plan::Screen_Point& point : points) {
        polygon.append(QPointF(point.x, point.y));
    }
    return polygon;
}

Chart_Wnd::Chart_Wnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
}

void Chart_Wnd::set_axis_titles(const QString& x_title, const QString& y_title) {
    if (x_title == m_x_title && y_title == m_y_title) {
        return;
    }
    m_x_title = x_title;
    m_y_title = y_title;
    invalidate_picture();
}

void Chart_Wnd::set_chart_points(std::vector<Chart_Point> points) {
    m_points = std::move(points);
    invalidate_picture();
}

void Chart_Wnd::set_background_curves(std::vector<Chart_Series> curves, const QString& own_name) {
    m_background = std::move(curves);
    m_own_name = own_name;
    invalidate_picture();
}

void Chart_Wnd::draw_legend(QPainter& painter, const Plot_Rect& area,
                            std::span<const Chart_Corner> corners,
                            const std::vector<std::vector<Chart_Plan::Screen_Point>>& screen_curves) {
    if (m_background.empty() || corners.empty()) {
        return;
    }
    struct Entry {
        QString name;
        QColor colour;
    };
    std::vector<Entry> entries{{m_own_name, chart_curve_colour()}};
    for (std::size_t i = 0; i < m_background.size(); ++i) {
        entries.push_back({m_background[i].name, chart_background_colour(i)});
    }

    const QFontMetrics metrics(font());
    const int line = metrics.height();
    const int pad = std::max(3, line / 4);
    const int swatch = 2 * metrics.averageCharWidth() + 4;
    const int max_text = std::max(0, area.width() / 2 - swatch - 3 * pad);
    int text_width = 0;
    for (Entry& entry : entries) {
        entry.name = metrics.elidedText(entry.name, Qt::ElideRight, max_text);
        text_width = std::max(text_width, metrics.horizontalAdvance(entry.name));
    }
    const int width = swatch + text_width + 3 * pad;
    const int height = static_cast<int>(entries.size()) * line + 2 * pad;
    const int inset = std::max(4, pad);

    // The corner the own curve crosses least, then the others; the first of equal ones.
    Plot_Rect best;
    long best_score = -1;
    for (const Chart_Corner corner : corners) {
        const Plot_Rect box = corner_box(area, corner, width, height, inset);
        if (box.width() <= 0) {
            return;
        }
        long score = 0;
        for (std::size_t i = 0; i < screen_curves.size(); ++i) {
            const long crossing = segments_crossing(box, screen_curves[i]);
            score += i == 0 ? crossing * 100000L : crossing;
        }
        if (best_score < 0 || score < best_score) {
            best = box;
            best_score = score;
        }
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(160, 160, 160), 0));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(QRect(best.left, best.top, best.width(), best.height()));
    painter.setFont(font());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int top = best.top + pad + static_cast<int>(i) * line;
        const int middle = top + line / 2;
        painter.setPen(QPen(entries[i].colour, i == 0 ? 2.0 : 1.5));
        painter.drawLine(best.left + pad, middle, best.left + pad + swatch, middle);
        painter.setPen(text_colour());
        painter.drawText(QRect(best.left + 2 * pad + swatch, top, text_width + pad, line),
                         Qt::AlignLeft | Qt::AlignVCenter, entries[i].name);
    }
    painter.restore();
}

void Chart_Wnd::invalidate_picture() {
    m_picture_stale = true;
    update();
}

void Chart_Wnd::draw_chart(QPainter& painter, QSize size, bool for_window) {
    if (for_window) {
        draw_cartesian(painter, size, m_axis);
        return;
    }
    Graph_Axis2 axis;
    draw_cartesian(painter, size, axis);
}

void Chart_Wnd::draw_overlay(QPainter&) {}

void Chart_Wnd::add_menu_actions(QMenu&) {}

void Chart_Wnd::draw_cartesian(QPainter& painter, QSize size, Graph_Axis2& axis) {
    const int width = size.width();
    const int height = size.height();
    const QFont label_font = font();
    QFont title_font = font();
    title_font.setBold(true);
    const QFontMetrics label_metrics(label_font);
    const QFontMetrics title_metrics(title_font);

    axis = Graph_Axis2{};
    axis.pixels_per_mm_x = logicalDpiX() / 25.4;
    axis.pixels_per_mm_y = logicalDpiY() / 25.4;
    axis.label_font_size = tenths_of(label_font, logicalDpiY());
    axis.title_font_size = tenths_of(title_font, logicalDpiY());
    axis.set_window_size(width, height);
    // The own curve's points set the axes; the curves behind it widen them only while shown, so
    // the own curve keeps its place when nothing is drawn behind it.
    Data_Range range = data_range(m_points);
    for (const Chart_Series& series : m_background) {
        range = merge_ranges(range, data_range(series.points));
    }
    axis.set_range(range);
    for (const std::string& label : axis.x_labels) {
        axis.x_label_widths.push_back(label_metrics.horizontalAdvance(text_of(label)));
    }
    Chart_Metrics measured;
    measured.char_width = label_metrics.averageCharWidth();
    measured.char_height = label_metrics.height();
    measured.title_height =
        m_x_title.isEmpty() && m_y_title.isEmpty() ? 0 : title_metrics.height();
    for (const std::string& label : axis.y_labels) {
        measured.widest_y_label =
            std::max(measured.widest_y_label, label_metrics.horizontalAdvance(text_of(label)));
    }
    measured.left_end_width = label_metrics.horizontalAdvance(text_of(axis.left_end_text()));
    measured.right_end_width = label_metrics.horizontalAdvance(text_of(axis.right_end_text()));
    axis.layout(width, height, measured);
    const Chart_Plan plan = plan_chart(
        axis, m_points, font_pixel_height(axis.pixels_per_mm_y, axis.label_font_size));

    painter.save();
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    painter.setPen(text_colour());

    // Titles: the x title under the labels, the y title upright along the left edge.
    painter.setFont(title_font);
    if (!m_x_title.isEmpty()) {
        painter.drawText(QRect(plan.x_title_centre - TEXT_BOX / 2, plan.x_title_top, TEXT_BOX,
                               title_metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, m_x_title);
    }
    if (!m_y_title.isEmpty()) {
        painter.save();
        painter.translate(0, plan.y_title_centre);
        painter.rotate(-90.0);
        painter.drawText(QRect(-TEXT_BOX / 2, 0, TEXT_BOX, title_metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, m_y_title);
        painter.restore();
    }

    const Plot_Rect& plot = plan.plot;
    std::vector<std::vector<Chart_Plan::Screen_Point>> screen_curves;
    if (!plan.frame_only) {
        painter.setFont(label_font);
        const int line = label_metrics.height();
        painter.drawText(QRect(plan.left_end.x, plan.left_end.y, TEXT_BOX, line),
                         Qt::AlignLeft | Qt::AlignTop, text_of(plan.left_end.text));
        painter.drawText(QRect(plan.right_end.x + 1 - TEXT_BOX, plan.right_end.y, TEXT_BOX, line),
                         Qt::AlignRight | Qt::AlignTop, text_of(plan.right_end.text));
        for (const Chart_Text& label : plan.x_labels) {
            painter.drawText(QRect(label.x - TEXT_BOX / 2, label.y, TEXT_BOX, line),
                             Qt::AlignHCenter | Qt::AlignTop, text_of(label.text));
        }
        for (const Chart_Text& label : plan.y_labels) {
            painter.drawText(QRect(label.x + 1 - TEXT_BOX, label.y - line, TEXT_BOX, 2 * line),
                             Qt::AlignRight | Qt::AlignVCenter, text_of(label.text));
        }

        painter.setPen(QPen(chart_grid_colour(), 0));
        for (const std::vector<int>* columns : {&plan.x_minor, &plan.x_major}) {
            for (const int x : *columns) {
                painter.drawLine(x, plot.top, x, plot.bottom);
            }
        }
        for (const std::vector<int>* rows : {&plan.y_minor, &plan.y_major}) {
            for (const int y : *rows) {
                painter.drawLine(plot.left, y, plot.right, y);
            }
        }

        // The curves behind first, then the own one over them.
        screen_curves.push_back(plan.curve);
        for (const Chart_Series& series : m_background) {
            std::vector<Chart_Plan::Screen_Point>& screen = screen_curves.emplace_back();
            screen.reserve(series.points.size());
            for (const Chart_Point& point : series.points) {
                if (chart_point_usable(point)) {
                    screen.push_back({axis.screen_x(point.x), axis.screen_y(point.y)});
                }
            }
        }
        painter.save();
        painter.setClipRect(QRect(plot.left, plot.top, plot.width() + 1, plot.height() + 1));
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (std::size_t i = 1; i < screen_curves.size(); ++i) {
            draw_curve(painter, polygon_of(screen_curves[i]), chart_background_colour(i - 1));
        }
        draw_curve(painter, polygon_of(screen_curves.front()));
        painter.restore();

        painter.setPen(QPen(text_colour(), 0));
        for (const int x : plan.x_major) {
            painter.drawLine(x, plot.bottom, x, plot.bottom - plan.tick_length);
        }
        for (const int y : plan.y_major) {
            painter.drawLine(plot.left, y, plot.left + plan.tick_length, y);
        }
    }

    const int frame_width = std::max(1, static_cast<int>(std::lround(axis.label_font_size / 90.0)));
    painter.setPen(QPen(text_colour(), frame_width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(plot.left, plot.top, plot.width(), plot.height()));
    painter.restore();

    if (!plan.frame_only) {
        // Inside the frame, clear of its line.
        const Plot_Rect inside{plot.left + frame_width, plot.top + frame_width,
                               plot.right - frame_width, plot.bottom - frame_width};
        static constexpr Chart_Corner corners[] = {Chart_Corner::top_right, Chart_Corner::top_left,
                                                   Chart_Corner::bottom_right,
                                                   Chart_Corner::bottom_left};
        draw_legend(painter, inside, corners, screen_curves);
    }
}

void Chart_Wnd::rebuild_picture() {
    const double ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::lround(width() * ratio)),
                       static_cast<int>(std::lround(height() * ratio)));
    m_picture = QPixmap(pixels);
    m_picture.setDevicePixelRatio(ratio);
    if (!pixels.isEmpty()) {
        m_picture.fill(Qt::white);
        QPainter painter(&m_picture);
        draw_chart(painter, size(), true);
    }
    m_picture_stale = false;
    ++m_render_count;
}

void Chart_Wnd::paintEvent(QPaintEvent*) {
    if (m_picture_stale || m_picture.devicePixelRatio() != devicePixelRatioF()) {
        rebuild_picture();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    draw_overlay(painter);
}

void Chart_Wnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    invalidate_picture();
}

void Chart_Wnd::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        invalidate_picture();
    }
}

QImage Chart_Wnd::chart_image(double scale) {
    const QSize pixels(static_cast<int>(std::lround(width() * scale)),
                       static_cast<int>(std::lround(height() * scale)));
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    if (!pixels.isEmpty()) {
        QPainter painter(&image);
        draw_chart(painter, size(), false);
    }
    return image;
}

bool Chart_Wnd::save_png(const QString& path, QString* error) {
    const QImage image = chart_image(2.0);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        return false;
    }
    if (!image.save(&file, "PNG")) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

bool Chart_Wnd::save_svg(const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        return false;
    }
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size());
    generator.setViewBox(QRect(QPoint(0, 0), size()));
    generator.setResolution(logicalDpiX());
    generator.setTitle(QStringLiteral("Kelvor chart"));
    {
        QPainter painter;
        if (!painter.begin(&generator)) {
            if (error != nullptr) {
                *error = file.errorString();
            }
            file.cancelWriting();
            return false;
        }
        draw_chart(painter, size(), false);
        painter.end();
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        if (error != nullptr) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

void Chart_Wnd::copy_to_clipboard() {
    QGuiApplication::clipboard()->setImage(chart_image(devicePixelRatioF()));
}

std::unique_ptr<QMenu> Chart_Wnd::context_menu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(tr("Save as PNG..."), this, [this] { save_from_menu(false); });
    menu->addAction(tr("Save as SVG..."), this, [this] { save_from_menu(true); });
    menu->addAction(tr("Copy"), this, [this] { copy_to_clipboard(); });
    add_menu_actions(*menu);
    return menu;
}

void Chart_Wnd::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu = context_menu();
    menu->exec(event->globalPos());
}

void Chart_Wnd::save_from_menu(bool svg) {
    const std::vector<File_Filter> filters{
        svg ? File_Filter{"SVG Drawings", "*.svg"} : File_Filter{"PNG Images", "*.png"}};
    const std::optional<std::string> chosen =
        choose_save_file(this, 0, svg ? "Save Chart as SVG" : "Save Chart as PNG", filters,
                         svg ? "chart.svg" : "chart.png", svg ? "svg" : "png");
    if (!chosen) {
        return;
    }
    const QString path = from_local_path(*chosen);
    QString error;
    if (!(svg ? save_svg(path, &error) : save_png(path, &error))) {
        show_message_box(this, catalogue_text(101),
                         "The chart could not be saved as " + *chosen + ":\r\n" +
                             to_file_text(error).value_or(std::string()),
                         BOX_OK | BOX_ICON_STOP);
    }
}
