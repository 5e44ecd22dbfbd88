// plexora-icons FOLDER: writes the program icon's images as PNG files in an
// icon theme's layout, FOLDER/16x16/apps/plexora.png and
// FOLDER/32x32/apps/plexora.png, for the desktop entry.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>

#include <cstdio>

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
    QByteArray bytes(reinterpret_cast<const char*>(hIcon->icoFile.data()),
                     static_cast<qsizetype>(hIcon->icoFile.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    int nWritten = 0;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
        QImage image = reader.read();
        QString strFolder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(image.width());
        if (image.isNull() || !QDir().mkpath(strFolder) || !image.save(strFolder + "/plexora.png")) {
            std::fprintf(stderr, "plexora-icons: cannot write image %d into %s\n", i, argv[1]);
            return 1;
        }
        ++nWritten;
    }
    return nWritten == 2 ? 0 : 1;
}
