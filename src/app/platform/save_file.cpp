#include "app/platform/save_file.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace qdx::app {

bool SaveWholeFile(const QString& path, const QByteArray& content, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    // A link is followed: the file it points to is replaced, the link stays.
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : path);
    if (target.exists() && !target.isWritable()) return fail(path + " may not be written.");
    if (!target.absoluteDir().exists()) return fail("The folder of " + path + " does not exist.");
    QSaveFile file(target.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return fail(file.errorString());
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

}  // namespace qdx::app
