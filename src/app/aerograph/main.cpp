// qdx-aerograph: the psychrometric chart of ".psy" files. Opens the files given on its command
// line and takes later paths through its local socket; a second start hands its files to the
// copy that runs. `qdx-aerograph --export OUT FILE` writes the chart without a window.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

#include "app/aerograph/aerograph_form.hpp"
#include "app/aerograph/chart_export.hpp"
#include "app/aerograph/psychrometric_chart.hpp"
#include "app/platform/send_to_program.hpp"
#include "version.hpp"

namespace {

int Fail(const QString& message) {
    QTextStream(stderr) << "qdx-aerograph: " << message << "\n";
    return 1;
}

bool ParseSize(const QString& text, QSize& size) {
    const QStringList parts = text.toLower().split('x');
    bool w = false, h = false;
    if (parts.size() == 2) size = QSize(parts[0].toInt(&w), parts[1].toInt(&h));
    return w && h;
}

int Export(const QString& out, const QStringList& files, const QString& sizeText) {
    if (files.size() != 1) return Fail("--export takes one chart file (.psy)");
    QSize size = qdx::aerograph::kDefaultExportSize;
    if (!sizeText.isEmpty() && !ParseSize(sizeText, size))
        return Fail("--size is WIDTHxHEIGHT in pixels, not \"" + sizeText + "\"");
    qdx::TAerographFile file;
    std::string error;
    if (!qdx::ReadAerographFile(files[0].toStdString(), file, error))
        return Fail(files[0] + ": " + QString::fromStdString(error));
    QString saveError;
    if (!qdx::aerograph::SaveChart(qdx::aerograph::TPsychrometricChart(std::move(file)), out,
                                   size, saveError))
        return Fail(out + ": " + saveError);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // An export needs no display.
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--export" && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("qdx-aerograph");
    QApplication::setApplicationDisplayName(qdx::aerograph::TAerographForm::kCaption);
    QApplication::setApplicationVersion(QString("%1.%2.%3")
                                            .arg(qdx::build::kVersionMajor)
                                            .arg(qdx::build::kVersionMinor)
                                            .arg(qdx::build::kVersionPatch));

    QCommandLineParser parser;
    parser.setApplicationDescription("Psychrometric chart of QDX chart files (.psy)");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption exportOption(
        "export", "Write the chart of FILE to OUT (.png, .svg or .pdf) without a window.", "OUT");
    const QCommandLineOption sizeOption("size", "Size of the exported chart (1600x1130).",
                                        "WIDTHxHEIGHT");
    parser.addOption(exportOption);
    parser.addOption(sizeOption);
    parser.addPositionalArgument("files", "Chart files (.psy) to show.", "[FILE...]");
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (parser.isSet(exportOption))
        return Export(parser.value(exportOption), files, parser.value(sizeOption));

    const QString program = QApplication::applicationFilePath();
    qdx::app::TProgramMessageServer server(program);
    switch (server.Listen()) {
        case qdx::app::TListenResult::OtherCopy: {
            int failed = 0;
            for (const QString& f : files)
                if (!qdx::app::SendToRunningCopy(program, QFileInfo(f).absoluteFilePath()))
                    failed = Fail("the running copy did not take " + f);
            return failed;
        }
        case qdx::app::TListenResult::Failed:
            // Still a chart program; only later paths cannot reach it.
            Fail("cannot listen on " + server.SocketPath());
            break;
        case qdx::app::TListenResult::Listening: break;
    }

    qdx::aerograph::TAerographForm form;
    form.ListenOn(server);
    form.show();
    for (const QString& f : files) form.LoadFile(f);
    return app.exec();
}
