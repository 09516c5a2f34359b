// Whole-file saves of the desktop program: replacement, refusal, links and folders.
#include <QtTest>

#include <sys/stat.h>

#include "app/platform/save_file.hpp"
#include "support/app_test_env.hpp"

using namespace qdx::app;

namespace {
QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
}  // namespace

class SaveFileTest : public QObject {
    Q_OBJECT
private slots:
    void savesAsACarefulEditorDoes() {
        qdx::test::TAppTestEnv env;
        const QString dir = env.Root();
        const QString plain = dir + "/a.pdf";
        QVERIFY(SaveWholeFile(plain, "one"));
        QCOMPARE(Read(plain), QByteArray("one"));

        // The replacement keeps the permission bits.
        QFile::setPermissions(plain, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(SaveWholeFile(plain, "two"));
        QCOMPARE(Read(plain), QByteArray("two"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(plain).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);

        // A file the user may not write is refused and left alone (unless running as root,
        // who may write anything).
        if (::geteuid() != 0) {
            const QString locked = dir + "/locked.pdf";
            QVERIFY(SaveWholeFile(locked, "old"));
            QFile::setPermissions(locked, QFile::ReadOwner);
            QString why;
            QVERIFY(!SaveWholeFile(locked, "new", &why));
            QVERIFY(!why.isEmpty());
            QCOMPARE(Read(locked), QByteArray("old"));
        }

        // A link is followed: the file it points to changes, the link stays a link.
        const QString link = dir + "/link.pdf";
        QVERIFY(QFile::link(plain, link));
        QVERIFY(SaveWholeFile(link, "three"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Read(plain), QByteArray("three"));

        // No folder is created, and nothing is left behind.
        QString why;
        QVERIFY(!SaveWholeFile(dir + "/missing/x.pdf", "x", &why));
        QVERIFY(!QFileInfo::exists(dir + "/missing"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 ::geteuid() != 0 ? 3 : 2);
    }
};

QTEST_MAIN(SaveFileTest)
#include "save_file_test.moc"
