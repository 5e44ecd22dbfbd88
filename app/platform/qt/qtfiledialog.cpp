#include "platform/qt/qtfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

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
    CString strWithExtension = WithDefaultExtension(strChosen, request.strDefaultExtension);
    if (!request.bOpen)
        return strWithExtension;
    bool bChosenExists = QFileInfo::exists(ToQString(strChosen));
    return !bChosenExists && QFileInfo::exists(ToQString(strWithExtension)) ? strWithExtension : strChosen;
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
    dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    bool bAskReplace = !request.bOpen && (request.dwFlags & OFN_OVERWRITEPROMPT);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !bAskReplace);
    QStringList nameFilters = NameFilters(request.filters);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.value(request.nFilterIndex));
    }
    dialog.setDefaultSuffix(ToQString(request.strDefaultExtension));
    if (!request.strInitialDir.IsEmpty())
        dialog.setDirectory(ToQString(request.strInitialDir));
    else if (!m_strLastFolder.isEmpty())
        dialog.setDirectory(m_strLastFolder);
    if (!request.strFileName.IsEmpty())
        dialog.selectFile(ToQString(request.strFileName));

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
