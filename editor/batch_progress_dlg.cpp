// The progress dialog of conversion batches.
#include "batch_progress_dlg.h"

#include <QApplication>
#include <QFile>

#include <climits>

namespace {

int clamped(std::size_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

} // namespace

BatchProgressDlg::BatchProgressDlg(QWidget* parent, std::size_t total, int delay_ms)
    : QProgressDialog(parent) {
    setWindowTitle(QStringLiteral("Converting"));
    setWindowModality(Qt::WindowModal);
    setAutoReset(false);
    setAutoClose(false);
    setRange(0, clamped(total));
    setMinimumDuration(delay_ms);
    setValue(0);
}

Batch_Progress BatchProgressDlg::progress() {
    return [this](const std::string& path, std::size_t index, std::size_t total) {
        return step(path, index, total);
    };
}

bool BatchProgressDlg::step(const std::string& path, std::size_t index, std::size_t total) {
    if (wasCanceled()) {
        return false;
    }
    setLabelText(QStringLiteral("Converting %1\n%2 of %3")
                     .arg(QFile::decodeName(path.c_str()))
                     .arg(index + 1)
                     .arg(total));
    setValue(clamped(index));
    // The dialog shows and Cancel is seen only when the events of the window are handled.
    QApplication::processEvents();
    return !wasCanceled();
}
