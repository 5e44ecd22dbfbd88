// Message maps in the class library's style:
//
//   BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
//       ON_WM_SYSCOMMAND()
//       ON_BN_CLICKED(IDC_ABOUT, OnAbout)
//       ON_CBN_SELCHANGE(IDC_CONFIGURATION, OnSelchangeConfiguration)
//   END_MESSAGE_MAP()
//
// with DECLARE_MESSAGE_MAP() in the class. Each entry holds a small function
// that calls the named member on the window object, so handlers are checked
// by the compiler. CWnd::OnWndMsg walks a class's map, then its base class's.
#pragma once

#include "platform/messages.h"
#include "platform/windefs.h"

class CWnd;

using AFX_PMSG = LRESULT (*)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // 0 ends the map
    UINT nCode;     // WM_COMMAND entries: the notification code
    UINT nID;       // WM_COMMAND entries: the first and last control id
    UINT nLastID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        using ThisClass [[maybe_unused]] = theClass;                            \
        using TheBaseClass = baseClass;                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                             \
        {0, 0, 0, 0, nullptr}};                                                       \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,       \
                                              &_messageEntries[0]};                   \
        return &messageMap;                                                           \
    }

#define AFX_THUNK(body) \
    [](CWnd* pWnd, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { body }

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                         \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), \
     AFX_THUNK(static_cast<ThisClass*>(pWnd)->memberFxn(); return 0;)},

#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// A message handled by LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AFX_THUNK(return static_cast<ThisClass*>(pWnd)->memberFxn(wParam, lParam);)},

#define ON_WM_SYSCOMMAND()                                                                    \
    {WM_SYSCOMMAND, 0, 0, 0,                                                                  \
     AFX_THUNK(static_cast<ThisClass*>(pWnd)->OnSysCommand(static_cast<UINT>(wParam), lParam); \
               return 0;)},

#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, 0, AFX_THUNK(static_cast<ThisClass*>(pWnd)->OnPaint(); return 0;)},

#define ON_WM_DROPFILES() \
    {WM_DROPFILES, 0, 0, 0, AFX_THUNK(static_cast<ThisClass*>(pWnd)->OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;)},

#define ON_WM_QUERYDRAGICON()  \
    {WM_QUERYDRAGICON, 0, 0, 0, \
     AFX_THUNK(return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(pWnd)->OnQueryDragIcon());)},
