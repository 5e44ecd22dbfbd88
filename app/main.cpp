// plexora [FILE...]: the desktop program, its windows shown with Qt. Its
// settings file lives beside the executable, or in the user's own folder.
#include <QApplication>

#include <signal.h>

#include <cstdio>
#include <filesystem>

#include "app/desktopoptions.h"
#include "app/mergeapp.h"
#include "core/interruptsignals.h"
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

int main(int argc, char** argv)
{
    DesktopOptions options;
    int nExitCode = 0;
    if (!ParseDesktopOptions(argc, argv, options, nExitCode))
        return nExitCode;
    if (!HasDisplay()) {
        std::fputs("plexora: the desktop program needs a desktop session (DISPLAY and WAYLAND_DISPLAY are not "
                   "set); plexora-merge merges from the command line.\n",
                   stderr);
        return 1;
    }
    // Qt sees the program's name only: the arguments are the program's.
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
    // Files named on the command line (a file manager's "Open with") are
    // dropped on the window once it runs, with their full paths as a pick
    // gives them.
    std::vector<CString> filesToOpen;
    for (const std::string& file : options.files) {
        std::error_code ec;
        filesToOpen.emplace_back(std::filesystem::absolute(file, ec).string());
    }
    nExitCode = AfxWinMain(theApp, ExecutablePath(argv[0]), std::move(filesToOpen));
    AfxSetBackend(nullptr);
    // Widgets of closed windows wait for an event loop to delete them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return nExitCode;
}
