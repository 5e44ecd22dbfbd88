// plexora-screenshots FOLDER: runs the desktop program on Qt's offscreen
// platform, as a person would use it, and saves what its windows show as
// PNG files (client areas: there is no window manager to draw frames):
//   main-builtin.png   the main dialog with the built-in settings
//   main-18-rows.png   the main dialog showing a configuration of all 18 positions
//   settings.png       the settings dialog with the built-in settings
//   about.png          the About box
//   message-box.png    the message box of Process pressed with no files chosen
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/mergeapp.h"
#include "platform/modalstack.h"
#include "platform/qt/qtbackend.h"
#include "platform/qt/qtpeer.h"
#include "platform/userinput.h"
#include "ui/resource.h"

namespace {

QString g_strFolder;
int g_nFailures = 0;

void Later(std::function<void()> fn)
{
    QTimer::singleShot(1, qApp, std::move(fn));
}

QWidget* ActiveDialog()
{
    return CQtPeer::WidgetOf(CModalStack::Top());
}

void Save(const char* pszName, QWidget* pWidget)
{
    QString strPath = g_strFolder + "/" + pszName;
    if (!pWidget || !pWidget->grab().save(strPath)) {
        std::fprintf(stderr, "plexora-screenshots: could not save %s\n", qPrintable(strPath));
        ++g_nFailures;
        return;
    }
    std::printf("%s\n", qPrintable(strPath));
}

void CloseDialog()
{
    CUserInput::Key(CModalStack::Top(), VK_ESCAPE);
}

// Runs the program as the executable folder/plexora while fn acts in its
// main dialog.
void RunProgram(const std::filesystem::path& folder, std::function<void()> fn)
{
    CMergeApp app;
    Later(std::move(fn));
    AfxWinMain(app, CString((folder / "plexora").string()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: plexora-screenshots FOLDER\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int nQtArgc = 1;
    QApplication qtApp(nQtArgc, argv);
    g_strFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(g_strFolder);

    std::filesystem::path temp = std::filesystem::temp_directory_path() / "plexora-screenshots";
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp / "builtin");
    std::filesystem::create_directories(temp / "all18");

    CQtBackend backend;
    AfxSetBackend(&backend);

    // The built-in settings, the settings dialog and the About box from their
    // buttons, and Process pressed before any file was chosen.
    RunProgram(temp / "builtin", [] {
        Save("main-builtin.png", ActiveDialog());
        HWND hMain = CModalStack::Top();
        for (auto [nButton, pszName] : {std::pair{IDC_SETTINGS, "settings.png"}, std::pair{IDC_ABOUT, "about.png"}}) {
            Later([pszName = pszName] {
                Save(pszName, ActiveDialog());
                CloseDialog();
            });
            CUserInput::Click(hMain->FindChild(nButton));
        }
        Later([] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            Save("message-box.png", pBox);
            if (pBox)
                pBox->accept();
        });
        CUserInput::Click(hMain->FindChild(IDC_PROCESS));
        CloseDialog();
    });

    // A settings file whose default configuration has every position.
    {
        CSettings settings;
        settings.LoadDefaultSettings();
        settings.AddConfiguration("all 18 positions", 0x3FFFF);
        settings.m_nDefaultConfiguration = static_cast<int>(settings.m_aConfigurations.size()) - 1;
        settings.SaveSettings((temp / "all18" / "settings.pxr").c_str());
    }
    RunProgram(temp / "all18", [] {
        Save("main-18-rows.png", ActiveDialog());
        CloseDialog();
    });

    AfxSetBackend(nullptr);
    std::filesystem::remove_all(temp);
    return g_nFailures == 0 ? 0 : 1;
}
