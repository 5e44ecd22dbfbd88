#include "platform/qt/qticon.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/resources.h"

QIcon QtIcon(HICON hIcon)
{
    QIcon icon;
    if (!hIcon || hIcon->icoFile.empty())
        return icon;
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(hIcon->icoFile.data()),
                                               static_cast<qsizetype>(hIcon->icoFile.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QPixmap QtIconPixmap(HICON hIcon, int nSize)
{
    QIcon icon = QtIcon(hIcon);
    if (icon.isNull())
        return QPixmap();
    return icon.pixmap(QSize(nSize, nSize));
}
