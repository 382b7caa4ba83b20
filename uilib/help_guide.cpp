// The help commands' targets and the window of the shipped user guide.
#include "help_guide.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

std::string help_address(const std::string& base, const std::string& page) {
    return (base.empty() ? std::string(USER_GUIDE_ROOT) : base) + page;
}

bool is_user_guide_address(const std::string& address) {
    return address.rfind(USER_GUIDE_ROOT, 0) == 0;
}

void open_help_address(const std::string& address) {
    const QUrl url(QString::fromStdString(address));
    if (!is_user_guide_address(address)) {
        QDesktopServices::openUrl(url);
        return;
    }
    // The guide is a window of its own beside the modal forms, so it stays open while the user
    // works; it goes with the program.
    static QPointer<QTextBrowser> guide;
    if (guide.isNull()) {
        guide = new QTextBrowser;
        guide->setAttribute(Qt::WA_DeleteOnClose);
        guide->setAttribute(Qt::WA_QuitOnClose, false);
        guide->setObjectName(QStringLiteral("user_guide"));
        guide->setWindowTitle(QStringLiteral("Kelvor - User Guide"));
        guide->setOpenExternalLinks(true);
        guide->resize(760, 640);
    }
    guide->setSource(url);
    guide->show();
    guide->raise();
    guide->activateWindow();
}
