#include "support/app_test_env.hpp"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <clocale>
#include <cstdlib>

#include "app/desktop_program.hpp"
#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::test {

TAppTestEnv::TAppTestEnv() {
    for (const char* sub : {"config", "data", "common", "documents"}) QDir(dir_.path()).mkpath(sub);
    qputenv("XDG_CONFIG_HOME", ConfigDir().toUtf8());
    qputenv("XDG_DATA_HOME", DataDir().toUtf8());
    qputenv("QDX_COMMON_DIR", CommonDir().toUtf8());
    qputenv("XDG_DOCUMENTS_DIR", DocumentsDir().toUtf8());
    // Local sockets of programs the tests start or stand in for, away from the user's own.
    QDir(dir_.path()).mkpath("runtime");
    QFile::setPermissions(RuntimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", RuntimeDir().toUtf8());
    qunsetenv("QDX_OWNER");
    qunsetenv("QDX_ORGANISATION");
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");
    ResetFolders();
    UnitPrefs().Reset();
    ClearMakerCache();
    app::InstallMessageHandler();
}

TAppTestEnv::~TAppTestEnv() {
    SetMessageHandler({});
    UnitPrefs().Reset();
    ResetFolders();
}

}  // namespace qdx::test
