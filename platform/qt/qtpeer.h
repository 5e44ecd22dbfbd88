// CQtPeer: what every Qt peer shares. A peer owns one widget (with its
// children) that mirrors one window of the model: its geometry in the
// parent's client pixels, visibility, enabled state, font, and what its kind
// adds. What a person does to the widget goes to CUserInput through the
// backend (CQtBackend::Act), never straight into the model.
//
// Widgets are never deleted while a handler may be running on them: a
// destroyed peer hides its widget, cuts it off from the model and leaves
// the deletion to the event loop.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

#include "core/cstring.h"
#include "platform/windowpeer.h"
#include "platform/windowrecord.h"

class CQtBackend;

class CQtPeer : public IWindowPeer {
public:
    CQtPeer(CQtBackend& backend, CWindowRecord& window);
    ~CQtPeer() override;

    // The widget that shows hWnd, or null (no window, or no Qt peer).
    static QWidget* WidgetOf(HWND hWnd);
    QWidget* Widget() const { return m_pWidget; }
    CWindowRecord& Window() const { return m_window; }

    void Update(WindowChange change, int nIndex) override;
    // Qt paints every window itself; the program's icon painting of a
    // minimised window has nothing to draw into.
    void DrawIcon(int /*x*/, int /*y*/, HICON /*hIcon*/) override {}

protected:
    // Takes ownership of the widget and shows the model's state in it. The
    // widget's parent is the parent window's widget.
    void Attach(QWidget* pWidget);
    QWidget* ParentWidget() const { return WidgetOf(m_window.Parent()); }

    // The kind's own parts of the state.
    virtual void ApplyText() {}
    virtual void ApplyGeometry();
    virtual void ApplyStyle();
    virtual void ApplyFont();
    void ApplyToolTip();
    // What the kind adds (items, selection, check state, range, icon), all of it.
    virtual void ApplyState() {}
    virtual void ApplyChange(WindowChange /*change*/, int /*nIndex*/) {}

    CQtBackend& Backend() const { return m_backend; }
    // A person's action on this window; see CQtBackend::Act.
    void Act(const std::function<CString()>& action);
    // True while the peer pushes the model into its widget: the widget's
    // signals then report no person's action.
    bool IsApplying() const { return m_nApplying > 0; }
    // Reports a person's focus changes (Tab, a click) on pWidget to the model.
    void WatchFocus(QWidget* pWidget);

    // The context of every connection to the widget's signals: destroyed
    // with the peer, it cuts them all.
    QObject m_receiver;

private:
    class CApplying;
    class CFocusWatcher;

    CQtBackend& m_backend;
    CWindowRecord& m_window;
    QPointer<QWidget> m_pWidget;
    int m_nApplying = 0;
};
