#pragma once
// What every window test sets up first: the settings, data and documents folders point at a
// temporary folder (no test touches the real home folder), the folders the core computed are
// forgotten, the locale is pinned to C so "3.25" types the same everywhere, the unit choices
// start from their defaults, and the scripted platform layer answers every box, core messages
// included.

#include <QString>
#include <QTemporaryDir>

#include "app/platform/scripted_dialogs.hpp"

namespace qdx::test {

class TAppTestEnv {
public:
    TAppTestEnv();
    ~TAppTestEnv();
    TAppTestEnv(const TAppTestEnv&) = delete;
    TAppTestEnv& operator=(const TAppTestEnv&) = delete;

    // The temporary root; config/, data/, common/, documents/ and runtime/ lie under it.
    QString Root() const { return dir_.path(); }
    QString ConfigDir() const { return dir_.path() + "/config"; }
    QString DataDir() const { return dir_.path() + "/data"; }
    QString CommonDir() const { return dir_.path() + "/common"; }
    QString DocumentsDir() const { return dir_.path() + "/documents"; }
    QString RuntimeDir() const { return dir_.path() + "/runtime"; }

    app::TScriptedDialogs& Dialogs() { return *dialogs_; }

private:
    QTemporaryDir dir_;
    app::TScriptedDialogsGuard dialogs_;
};

}  // namespace qdx::test
