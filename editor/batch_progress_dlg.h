// BatchProgressDlg: the progress of a conversion batch that takes a while, with Cancel.
#pragma once

#include "editor_support.h"

#include <QProgressDialog>

class BatchProgressDlg : public QProgressDialog {
    Q_OBJECT

public:
    // Shows itself only when the batch of `total` files runs longer than `delay_ms`.
    BatchProgressDlg(QWidget* parent, std::size_t total, int delay_ms = 500);

    // The progress to hand to run_conversion_batch: shows "Converting PATH" and "N of TOTAL",
    // keeps the window answering, and returns false once Cancel was pressed, so the batch ends
    // after the file that was running.
    Batch_Progress progress();

    // Tells of file `index` (from 0); false after Cancel.
    bool step(const std::string& path, std::size_t index, std::size_t total);
};
