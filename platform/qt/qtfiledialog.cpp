#include "platform/qt/qtfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

#include "platform/qt/qttext.h"

QStringList CQtFileDialog::NameFilters(const std::vector<FileFilter>& filters)
{
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& strPattern : ToQString(filter.strPattern).split(u';', Qt::SkipEmptyParts)) {
            QString strTrimmed = strPattern.trimmed();
            patterns << (strTrimmed == QStringLiteral("*.*") ? QStringLiteral("*") : strTrimmed);
        }
        // The dialog shows what stands before the last parentheses; it
        // matches with what stands inside them.
        nameFilters << ToQString(filter.strDescription) + QStringLiteral(" (") + patterns.join(u' ') +
                           QStringLiteral(")");
    }
    return nameFilters;
}

CString CQtFileDialog::WithDefaultExtension(const CString& strPath, const CString& strExtension)
{
    if (strExtension.IsEmpty())
        return strPath;
    size_t nSlash = strPath.str().rfind('/');
    size_t nNameStart = nSlash == std::string::npos ? 0 : nSlash + 1;
    if (strPath.str().find('.', nNameStart) != std::string::npos || nNameStart == strPath.str().size())
        return strPath;
    return strPath + "." + strExtension;
}

CString CQtFileDialog::Complete(const FileDialogRequest& request, const CString& strChosen)
{
    if (request.bOpen && QFileInfo::exists(ToQString(strChosen)))
        return strChosen;
    return WithDefaultExtension(strChosen, request.strDefaultExtension);
}

bool CQtFileDialog::ConfirmReplace(QWidget* pOwner, const CString& strPath)
{
    QString strText = QFileInfo(ToQString(strPath)).fileName() +
                      QStringLiteral(" already exists.\nDo you want to replace it?");
    return QMessageBox::warning(pOwner, QStringLiteral("Save As"), strText,
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool CQtFileDialog::Run(const FileDialogRequest& request, QWidget* pOwner, CString& strPath)
{
    QFileDialog dialog(pOwner, request.bOpen ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // An open dialog takes a typed name whether or not its file exists, as
    // Win32's does without OFN_FILEMUSTEXIST: the program reports what it
    // cannot read.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    bool bAskReplace = !request.bOpen && (request.dwFlags & OFN_OVERWRITEPROMPT);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !bAskReplace);
    QStringList nameFilters = NameFilters(request.filters);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.value(request.nFilterIndex));
    }
    // Qt would add it to an open dialog's name of an existing file too.
    if (!request.bOpen)
        dialog.setDefaultSuffix(ToQString(request.strDefaultExtension));
    if (!request.strInitialDir.IsEmpty())
        dialog.setDirectory(ToQString(request.strInitialDir));
    else if (!m_strLastFolder.isEmpty())
        dialog.setDirectory(m_strLastFolder);
    if (!request.strFileName.IsEmpty())
        dialog.selectFile(ToQString(request.strFileName));

    // Qt sizes its date column for a short date and leaves the rest of the
    // list's width empty; that column takes the rest instead, and 120
    // average characters of the dialog's font make it room for a whole
    // date beside whole names, sizes and types, at any scale.
    if (auto* pList = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        pList->header()->setStretchLastSection(true);
    const QFontMetrics metrics(dialog.font());
    QSize size(120 * metrics.averageCharWidth(), 30 * metrics.lineSpacing());
    if (const QScreen* pScreen = dialog.screen())
        size = size.boundedTo(pScreen->availableSize());
    dialog.resize(size);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        CString strChosen = FromQString(dialog.selectedFiles().constFirst());
        CString strComplete = Complete(request, strChosen);
        // A native dialog asked about the name without its extension, if at all.
        if (bAskReplace && strComplete != strChosen && QFileInfo::exists(ToQString(strComplete)) &&
            !ConfirmReplace(pOwner, strComplete))
            continue;
        strPath = strComplete;
        m_strLastFolder = QFileInfo(ToQString(strComplete)).absolutePath();
        return true;
    }
}
