#pragma once
// The program's help pages: HTML files shipped in the help/ folder of the installed data,
// opened with the desktop's viewer for HTML through the platform layer.

#include <QString>

class QWidget;

namespace qdx::app {

// The folder of the help pages, ending with "/".
QString HelpFolder();

// Opens the page (a file name such as "Coils.htm") of the help folder. A page that is not there,
// or that no viewer takes, is reported in a message box; false then.
bool ShowHelpPage(QWidget* parent, const QString& page);

}  // namespace qdx::app
