#include "platform/qt/qticon.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/resources.h"

namespace {

QIcon IconOfIcoFile(HICON hIcon)
{
    QIcon icon;
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

}  // namespace

QImage QtIconImage(HICON hIcon, int nSize)
{
    if (!hIcon || hIcon->svgFile.empty())
        return QImage();
    QSvgRenderer renderer(
        QByteArray::fromRawData(hIcon->svgFile.data(), static_cast<qsizetype>(hIcon->svgFile.size())));
    if (!renderer.isValid())
        return QImage();
    QImage image(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon QtIcon(HICON hIcon)
{
    QIcon icon;
    if (!hIcon)
        return icon;
    for (int nSize : kQtIconSizes) {
        QImage image = QtIconImage(hIcon, nSize);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? IconOfIcoFile(hIcon) : icon;
}

QPixmap QtIconPixmap(HICON hIcon, int nSize)
{
    QIcon icon = QtIcon(hIcon);
    if (icon.isNull())
        return QPixmap();
    return icon.pixmap(QSize(nSize, nSize));
}
