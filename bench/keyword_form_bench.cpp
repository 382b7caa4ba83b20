// The keyword forms at 1920 x 1080 under the offscreen platform: a full paint of the form on an
// example file, and a scroll by a page with the paint it causes (Page Down from the top, Page Up
// back, each one round).
#include "antenna_file_edit.h"
#include "keyword_form.h"
#include "v4_radio_file_edit.h"
#include "v5_radio_file_edit.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Opens `file` (under the examples) in the editor, shown at 1920 x 1080.
template <class Editor>
std::unique_ptr<Editor> open_editor(const char* file) {
    auto editor = std::make_unique<Editor>(nullptr, Editor_Sinks{});
    editor->resize(1920, 1080);
    editor->show();
    if (!editor->open_file(std::string(KELVOR_EXAMPLES_DIR) + "/" + file)) {
        return nullptr;
    }
    QApplication::processEvents();
    return editor;
}

template <class Editor>
void full_paint(benchmark::State& state, const char* file) {
    const auto editor = open_editor<Editor>(file);
    if (!editor) {
        state.SkipWithError("the example did not open");
        return;
    }
    QWidget* viewport = editor->form().viewport();
    QPixmap target(viewport->size());
    for (auto _ : state) {
        viewport->render(&target);
    }
    state.counters["rows_shown"] = editor->form().cursor().rows_per_page();
}

template <class Editor>
void page_scroll(benchmark::State& state, const char* file) {
    const auto editor = open_editor<Editor>(file);
    if (!editor) {
        state.SkipWithError("the example did not open");
        return;
    }
    Keyword_Form& form = editor->form();
    QPixmap target(form.viewport()->size());
    bool down = true;
    for (auto _ : state) {
        QTest::keyClick(&form, down ? Qt::Key_PageDown : Qt::Key_PageUp);
        form.viewport()->render(&target);
        down = !down;
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* const radio_v5 = "radio/hx23_am_56m.raf";
    const char* const radio_v4 = "radio/hm6l_16e1q.raf";
    const char* const antenna = "antenna/npx120_11_envelope.adf";
    benchmark::RegisterBenchmark("full_paint/radio_v5", full_paint<V5RadioFileEdit>, radio_v5)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("full_paint/radio_v4", full_paint<V4RadioFileEdit>, radio_v4)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("full_paint/antenna", full_paint<AntennaFileEdit>, antenna)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("page_scroll/radio_v5", page_scroll<V5RadioFileEdit>, radio_v5)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("page_scroll/radio_v4", page_scroll<V4RadioFileEdit>, radio_v4)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("page_scroll/antenna", page_scroll<AntennaFileEdit>, antenna)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
