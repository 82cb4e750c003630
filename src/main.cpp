// Segmark entry: a headless subcommand when one is named; else help, a
// command for the running window, or the window itself (one per user).
#include "app/cli.h"
#include "app/launch.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef SEGMARK_WITH_UI
#include "app/commands.h"
#include "app/sheet_state.h"
#include "ui/grid_widget.h"
#include "model/recovery_store.h"
#include "ui/lap_form.h"
#include "ui/qt_recovery_port.h"
#include "ui/remote_server.h"
#include "ui/single_instance.h"
#include "ui/startup_probe.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSessionManager>

namespace {

// A later start hands its command to the running window and ends.
int SendToRunningWindow(int argc, char** argv, const TRemoteMessage& M) {
    QCoreApplication app(argc, argv);
    QString error;
    if (SendRemoteMessage(TSingleInstance::SocketName(), M, 2000, error)) return 0;
    std::fprintf(stderr, "segmark: %s\n", error.toLocal8Bit().constData());
    return 1;
}

// --get and --watch: the running window's sheet on show, on stdout.
int ReadRunningWindow(int argc, char** argv, const TLaunch& L) {
    QCoreApplication app(argc, argv);
    QString error;
    int status = 1;
    if (L.Kind == lkWatchSheet) {
        status = WatchRemoteSheet(TSingleInstance::SocketName(), 1, 2000, error);
    } else {
        std::string sheet;
        if (GetRemoteSheet(TSingleInstance::SocketName(), L.Json, 2000, sheet, error)) {
            if (L.Json) sheet += '\n';
            status = std::fwrite(sheet.data(), 1, sheet.size(), stdout) == sheet.size() &&
                             std::fflush(stdout) == 0
                         ? 0
                         : 1;
            if (status != 0) error = QStringLiteral("cannot write to standard output");
        }
    }
    if (status != 0) std::fprintf(stderr, "segmark: %s\n", error.toLocal8Bit().constData());
    return status;
}

int RunWindow(int argc, char** argv, const TLaunch& L) {
    TSingleInstance instance;
    const bool first = instance.TryLock();
    if (L.Kind == lkGetSheet || L.Kind == lkWatchSheet) {
        if (first) {
            std::fputs("segmark: no running Segmark to send to\n", stderr);
            return 1;
        }
        return ReadRunningWindow(argc, argv, L);
    }
    if (L.Kind == lkClearNow || L.Kind == lkCellInput) {
        if (first) {
            std::fputs("segmark: no running Segmark to send to\n", stderr);
            return 1;
        }
        TRemoteMessage m;
        m.Kind = L.Kind == lkClearNow ? rkClearNow : rkCellInput;
        m.Text = L.Text;
        m.Moves = L.Moves;
        return SendToRunningWindow(argc, argv, m);
    }
    if (!first) {
        // Another window runs: a project named here opens there; a plain
        // start ends without a word.
        if (!TLapCommands::IsStartProjectArgument(L.Args)) return 0;
        TRemoteMessage m;
        m.Kind = rkOpenFile;
        m.Text =
            QFile::encodeName(QFileInfo(QFile::decodeName(L.Args[0].c_str())).absoluteFilePath())
                .toStdString();
        return SendToRunningWindow(argc, argv, m);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Segmark"));
    QStringList args;
    for (const std::string& a : L.Args)
        args << QFile::decodeName(a.c_str());
    // Offered before the start project is chosen; the lock above keeps a
    // second window from offering the same snapshot.
    TRecoveryStore recovery(RecoveryFolder());
    TLaptimeForm window(nullptr, nullptr, args, &recovery);
    TSignalEnds ends([&window] { window.EndWithoutClose(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager& m) { window.CommitData(m); });
    TRemoteServer server([&window](const TRemoteMessage& M) { window.RemoteCommand(M); });
    server.SetSheetSource([&window](bool Json) {
        TLapCommands& c = window.Commands();
        return Json ? ShownSheetJson(c.Session(), c.OpenFileName()) : ShownSheetText(c.Session());
    });
    QObject::connect(window.GridWidget(), &TGridWidget::Changed, &server,
                     &TRemoteServer::SheetChanged);
    QObject::connect(&window, &TLaptimeForm::Refreshed, &server, &TRemoteServer::SheetChanged);
    if (!server.Listen(TSingleInstance::SocketName()))
        std::fputs("segmark: other programs cannot reach this window (local socket)\n", stderr);
    WatchFirstPaint(window.GridWidget()->viewport());
    window.show();
    return app.exec();
}

} // namespace
#endif

int main(int argc, char** argv) {
    if (int code = RunCli(argc, argv); code >= 0) return code;
    const TLaunch launch = ParseLaunch(std::vector<std::string>(argv + 1, argv + argc));
    switch (launch.Kind) {
    case lkHelp:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case lkVersion:
        std::puts(VersionText);
        return 0;
    case lkUsageError:
        std::fprintf(stderr, "segmark: %s\n%s", launch.Text.c_str(), UsageText().c_str());
        return 2;
    default:
        break;
    }
#ifdef SEGMARK_WITH_UI
    return RunWindow(argc, argv, launch);
#else
    std::fputs("Segmark was built without its window; only subcommands are available.\n", stderr);
    return 2;
#endif
}
