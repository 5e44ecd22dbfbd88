// plexora-screenshots FOLDER: runs the desktop program on Qt's offscreen
// platform, as a person would use it, and saves what its windows show as
// PNG files (client areas: there is no window manager to draw frames):
//   main-builtin.png   the main dialog with the built-in settings
//   main-demo.png      the main dialog with the demo's 5.1 stems in its rows
//   main-tooltip.png   the main dialog with a set of stems, one of another
//                      format, and that row's tip showing
//   open-dialog.png    the open dialog of a row's button
//   main-18-rows.png   the main dialog showing a configuration of all 18 positions
//   settings.png       the settings dialog with the built-in settings
//   about.png          the About box
//   message-box.png    the message box of Process pressed with no files chosen
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/mergeapp.h"
#include "platform/modalstack.h"
#include "platform/qt/qtbackend.h"
#include "platform/qt/qtpeer.h"
#include "merge/outputheader.h"
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

// Saves what pWidget shows, or a picture made of several.
void Save(const char* pszName, QWidget* pWidget, const QPixmap* pPicture = nullptr)
{
    QString strPath = g_strFolder + "/" + pszName;
    if (pPicture ? !pPicture->save(strPath) : !pWidget || !pWidget->grab().save(strPath)) {
        std::fprintf(stderr, "plexora-screenshots: could not save %s\n", qPrintable(strPath));
        ++g_nFailures;
        return;
    }
    std::printf("%s\n", qPrintable(strPath));
}

// A plain mono stem of silence, 48 kHz, that many seconds long.
void WriteSilentStem(const std::filesystem::path& path, WORD nBits, double seconds)
{
    OutputFormat format;
    format.nChannels = 1;
    format.nSampleRate = 48000;
    format.nBitsPerSample = nBits;
    format.nDataBytes = static_cast<ULONGLONG>(48000 * seconds) * nBits / 8;
    format.bNoExtensible = true;
    const std::vector<BYTE> header = ComposeOutputHeader(format, false);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(header.data()), std::ssize(header))
        << std::string(format.nDataBytes, '\0');
}

void CloseDialog()
{
    CUserInput::Key(CModalStack::Top(), VK_ESCAPE);
}

// Runs the program as the executable folder/plexora while fn acts in its
// main dialog.
void RunProgram(const std::filesystem::path& folder, std::function<void()> fn,
                const std::vector<CString>& filesToOpen = {})
{
    CMergeApp app;
    Later(std::move(fn));
    AfxWinMain(app, CString((folder / "plexora").string()), filesToOpen);
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

    // The demo's stems, the first named on the command line, its siblings
    // filling the other rows.
    std::filesystem::create_directories(temp / "demo");
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"})
        WriteSilentStem(temp / "demo" / ("drums" + std::string(pszSuffix) + ".wav"), 16, 4);
    RunProgram(temp / "demo", [] { Later([] {
        Save("main-demo.png", ActiveDialog());
        CloseDialog();
    }); }, {CString((temp / "demo" / "drumsFL.wav").string())});

    // A set of 24-bit stems whose LF stem is 16-bit, named on the command
    // line; the LF row's tip drawn where the pointer would rest, over the
    // window. Then the open dialog of that row.
    std::filesystem::create_directories(temp / "stems");
    std::filesystem::create_directories(temp / "tip");
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"}) {
        const WORD nBits = std::string(pszSuffix) == "LF" ? 16 : 24;
        const std::string name = "take 3 of the final mix, with the strings and the choir" + std::string(pszSuffix);
        WriteSilentStem(temp / "stems" / (name + ".wav"), nBits, 2.5);
    }
    const CString strFirst((temp / "stems" / "take 3 of the final mix, with the strings and the choirFL.wav").string());
    // The files named on the command line are dropped once the window runs.
    RunProgram(temp / "tip", [] { Later([] {
        HWND hMain = CModalStack::Top();
        QWidget* pLabel = CQtPeer::WidgetOf(hMain->FindChild(IDC_CHANNEL_LABEL_FIRST + 3));
        QToolTip::showText(pLabel->mapToGlobal(QPoint(40, pLabel->height())), pLabel->toolTip(), pLabel);
        Later([pLabel] {
            QWidget* pDialog = ActiveDialog();
            QWidget* pTip = nullptr;
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (pWidget->inherits("QTipLabel") && pWidget->isVisible())
                    pTip = pWidget;
            // The window and the tip where Qt put it, which may reach past the window.
            const QRect window(pDialog->mapToGlobal(QPoint(0, 0)), pDialog->size());
            const QRect tip = pTip ? QRect(pTip->pos(), pTip->size()) : window;
            const QRect both = window.united(tip);
            const qreal dRatio = pDialog->devicePixelRatioF();
            QPixmap shot(both.size() * dRatio);
            shot.setDevicePixelRatio(dRatio);
            shot.fill(Qt::white);
            QPainter painter(&shot);
            painter.drawPixmap(window.topLeft() - both.topLeft(), pDialog->grab());
            if (pTip)
                painter.drawPixmap(tip.topLeft() - both.topLeft(), pTip->grab());
            painter.end();
            if (!pTip) {
                std::fputs("plexora-screenshots: no tip showed\n", stderr);
                ++g_nFailures;
            }
            Save("main-tooltip.png", nullptr, &shot);
            QToolTip::hideText();
            Later([] {
                Save("open-dialog.png", qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
                QApplication::activeModalWidget()->close();
            });
            CUserInput::Click(CModalStack::Top()->FindChild(IDC_CHANNEL_BUTTON_FIRST + 3));
            CloseDialog();
        });
    }); }, {strFirst});

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
