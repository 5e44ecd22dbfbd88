// CQtStaticPeer: a static text, left-aligned, or an icon. Text wraps at
// words only where the static has room for two lines; a one-line static
// cuts its text at the right edge, as Win32 does with a path (Qt would
// break it at a '/' and hide the rest below the edge). Without SS_NOPREFIX
// "&" marks a mnemonic, as in Win32: "&&" shows one "&", a single "&" is
// not drawn. An icon static takes the icon's size (32 x 32) at its top-left
// corner, as Win32 sizes it.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtStaticPeer : public CQtPeer {
public:
    CQtStaticPeer(CQtBackend& backend, CWindowRecord& window);

    // The text Win32 draws for a static's text and style.
    static CString DisplayText(const CString& strText, DWORD dwStyle);

protected:
    void ApplyText() override;
    void ApplyGeometry() override;
    void ApplyFont() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    bool IsIcon() const;
    void ApplyWrap();
};
