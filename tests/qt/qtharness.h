// What the Qt backend's tests share: the offscreen QApplication, the
// backend, actions inside the modal loops, and the peers' check.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <ostream>

#include "platform/cwinapp.h"
#include "platform/qt/qtbackend.h"
#include "platform/qt/qtpeer.h"

// Qt's strings as text in failure messages.
inline void PrintTo(const QString& str, std::ostream* pOut)
{
    *pOut << '"' << str.toStdString() << '"';
}

// Runs fn as soon as an event loop is idle: inside the modal loop (or Qt's
// modal dialog) that the test starts next, never inside a handler.
void Later(std::function<void()> fn);

// The widget of a window, or of its control nId, as a T.
template <class T = QWidget>
T* WidgetOf(HWND hWnd, int nId = 0)
{
    auto* pWidget = qobject_cast<T*>(CQtPeer::WidgetOf(nId ? hWnd->FindChild(nId) : hWnd));
    EXPECT_NE(pWidget, nullptr) << "no widget of the expected kind";
    return pWidget;
}

// Qt's modal window on top (a message box, a file dialog), as a T.
template <class T>
T* ActiveModal()
{
    auto* pWidget = qobject_cast<T*>(QApplication::activeModalWidget());
    EXPECT_NE(pWidget, nullptr) << "no such modal window";
    return pWidget;
}

// Types a name into the active file dialog and presses Enter.
void TypeFileName(const QString& strName);

// The backend, the program's resources and its application record.
class QtTest : public ::testing::Test {
protected:
    QtTest();
    ~QtTest() override;

    CQtBackend backend;
    CWinApp app{"plexora"};

private:
    QTimer m_hang;
};

// Adds a failure for every way the widgets of hDialog differ from its
// windows, and for widgets left over from windows that are gone.
void ExpectPeersMatchModel(HWND hDialog);
