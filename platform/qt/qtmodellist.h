// CQtModelList: a list widget whose selection only the model sets. A
// person's clicks and keys move the current item but select nothing; the
// peer turns them into CUserInput calls, and the model's selection comes
// back through the peer.
#pragma once

#include <QListWidget>

class CQtModelList : public QListWidget {
public:
    explicit CQtModelList(QWidget* pParent) : QListWidget(pParent)
    {
        setSelectionMode(QAbstractItemView::MultiSelection);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& /*index*/,
                                                         const QEvent* /*pEvent*/) const override
    {
        return QItemSelectionModel::NoUpdate;
    }
};
