// plexora: the desktop program, its windows shown with Qt. It reads no
// arguments; its settings file lives beside the executable.
#include <QApplication>

#include <signal.h>

#include <cstdio>
#include <filesystem>

#include "app/mergeapp.h"
#include "platform/core/interruptsignals.h"
#include "platform/qt/qtbackend.h"
#include "platform/qt/qticon.h"
#include "platform/resources.h"
#include "ui/resource.h"

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The executable's real path: links resolved, so the settings file is found
// beside the program itself.
CString ExecutablePath(const char* pszArgv0)
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec)
        path = std::filesystem::absolute(pszArgv0, ec);
    return CString(path.string());
}

}  // namespace

int main(int /*argc*/, char** argv)
{
    if (!HasDisplay()) {
        std::fputs("plexora: there is no display here (DISPLAY is not set); run it on a virtual one with "
                   "'xvfb-run -a plexora', or merge from the command line with plexora-merge.\n",
                   stderr);
        return 1;
    }
    // Qt sees the program's name only: the program takes no arguments.
    int nQtArgc = 1;
    QApplication app(nQtArgc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("plexora"));

    // SIGINT and SIGTERM end a merge at its next block and close the windows
    // as their close boxes would, so that the settings are saved.
    CatchInterruptSignals({SIGINT, SIGTERM, SIGXFSZ});
    CQtBackend backend;
    AfxSetBackend(&backend);
    CMergeApp theApp;
    // Windows that set no icon of their own (the About box) show the program's.
    QApplication::setWindowIcon(QtIcon(AfxFindIcon(IDR_MAINFRAME)));
    int nExitCode = AfxWinMain(theApp, ExecutablePath(argv[0]));
    AfxSetBackend(nullptr);
    // Widgets of closed windows wait for an event loop to delete them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return nExitCode;
}
