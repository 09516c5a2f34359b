#include "app/platform/help_pages.hpp"

#include <QFileInfo>
#include <QUrl>

#include "app/platform/dialogs.hpp"
#include "documents/folders.hpp"

namespace qdx::app {

QString HelpFolder() { return QString::fromStdString(ProgramFilesDir()) + "help/"; }

bool ShowHelpPage(QWidget* parent, const QString& page) {
    const QString path = HelpFolder() + page;
    if (!QFileInfo(path).isFile()) {
        Dialogs().ShowMessage(parent, "Help page not found:\n" + path, TMsgKind::Warning);
        return false;
    }
    if (!Dialogs().OpenUrl(QUrl::fromLocalFile(path))) {
        Dialogs().ShowMessage(parent, "No program to show the help page:\n" + path,
                              TMsgKind::Warning);
        return false;
    }
    return true;
}

}  // namespace qdx::app
