// Open and save dialogs for people (CFileDialog's requests), with the
// platform's native dialog when it has one. Win32's rules that Qt does not
// share are kept here: "*.*" matches every name, an open dialog takes the
// name of a file that does not exist, the default extension is added to a
// name typed without one (and an existing file of that name is asked about
// before it is replaced), and the first chosen folder is where the next
// dialog opens.
#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

#include "platform/modalservices.h"

class CQtFileDialog {
public:
    // Qt's name filters for the request's filters: the description as the
    // program wrote it, then the patterns Qt matches with.
    static QStringList NameFilters(const std::vector<FileFilter>& filters);
    // strPath with "." + strExtension added when its file name has no
    // extension; unchanged otherwise or without a default extension.
    static CString WithDefaultExtension(const CString& strPath, const CString& strExtension);

    // Runs the dialog; true with strPath set to the full path chosen.
    bool Run(const FileDialogRequest& request, QWidget* pOwner, CString& strPath);

private:
    // A name typed without an extension gets the default one, as Win32 adds
    // it, unless an open dialog's name is that of an existing file.
    static CString Complete(const FileDialogRequest& request, const CString& strChosen);
    static bool ConfirmReplace(QWidget* pOwner, const CString& strPath);

    QString m_strLastFolder;
};
