// plexora-icons FOLDER: writes the program icon, drawn from its SVG, as PNG
// files in an icon theme's layout, FOLDER/16x16/apps/plexora.png up to
// FOLDER/256x256/apps/plexora.png, for the desktop entry.
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "platform/qt/qticon.h"
#include "platform/resources.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: plexora-icons FOLDER\n", stderr);
        return 2;
    }
    AfxSetResourceTable(&kPlexoraResources);
    HICON hIcon = AfxFindIcon(IDR_MAINFRAME);
    for (int nSize : kQtIconSizes) {
        QImage image = QtIconImage(hIcon, nSize);
        QString strFolder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(nSize);
        if (image.isNull() || !QDir().mkpath(strFolder) || !image.save(strFolder + "/plexora.png")) {
            std::fprintf(stderr, "plexora-icons: cannot write the %d-pixel image into %s\n", nSize, argv[1]);
            return 1;
        }
    }
    return 0;
}
