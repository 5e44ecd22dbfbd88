// Smaller pieces of the window layer: MulDiv, string resources, the system
// menu, fonts shared by windows, and windows owned by their objects.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/cfont.h"
#include "platform/cmenu.h"
#include "platform/cstatic.h"
#include "platform/cdc.h"
#include "platform/styles.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"
#include "tests/platform/testdialogs.h"

namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroThrough64Bits)
{
    EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
    EXPECT_EQ(MulDiv(8, 120, 72), 13);  // 13.33
    EXPECT_EQ(MulDiv(3, 1, 2), 2);      // 1.5
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(0x40000000, 8, 4), -1) << "too large";
    EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29) << "the product may exceed 32 bits";
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
}

TEST(ResourcesTest, LoadsStringsAndIconsById)
{
    CTestBackend backend(&kTestResources);
    CString str;
    EXPECT_TRUE(str.LoadString(IDS_TEST_FILTER));
    EXPECT_EQ(str, "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
    EXPECT_FALSE(str.LoadString(9999));
    EXPECT_EQ(str, "");
    CTestApp app;
    EXPECT_EQ(app.LoadIcon(IDI_TEST)->nId, IDI_TEST);
    EXPECT_EQ(app.LoadIcon(9999), nullptr);
}

TEST(SystemMenuTest, StartsWithCloseAndTakesAppendedItems)
{
    CTestBackend backend(&kTestResources);
    backend.bWithPeers = true;
    CInnerDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        CMenu* pMenu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(pMenu, nullptr);
        EXPECT_EQ(pMenu->GetMenuItemCount(), 1u);
        EXPECT_EQ(pMenu->GetMenuItemID(0), SC_CLOSE);
        backend.peerLog.clear();
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING, 16, "&About Plexora...");
        EXPECT_EQ(backend.peerLog, (std::vector<std::string>{"0 change 13 -1", "0 change 13 -1"}));
        EXPECT_EQ(pMenu->GetMenuItemCount(), 3u);
        EXPECT_EQ(pMenu->GetMenuItemID(1), 0u);
        EXPECT_EQ(pMenu->GetMenuItemID(2), 16u);
        EXPECT_EQ(pMenu->Items()[2].strText, "&About Plexora...");
        EXPECT_EQ(dlg.GetSystemMenu(TRUE), nullptr);
        EXPECT_EQ(pMenu->GetMenuItemCount(), 1u) << "reverted";
        EXPECT_EQ(hDlg->FindChild(IDC_STATIC)->SystemMenu(), nullptr) << "no WS_SYSMENU";
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

TEST(FontTest, WindowsShareAFontAndForgetItWhenItIsDeleted)
{
    CTestBackend backend(&kTestResources);
    CInnerDlg dlg;
    backend.loopActions.push_back([&](HWND) {
        LOGFONT logFont = {};
        CDC* pDC = dlg.GetDC();
        logFont.lfHeight = -MulDiv(8, pDC->GetDeviceCaps(LOGPIXELSY), 72);
        dlg.ReleaseDC(pDC);
        std::strcpy(logFont.lfFaceName, "Arial");
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        EXPECT_FALSE(font.CreateFontIndirect(&logFont)) << "one font per object";
        CStatic first, second;
        first.Create("---", WS_CHILD | WS_VISIBLE, CRect(170, 33, 540, 54), &dlg, 777);
        second.Create("---", WS_CHILD | WS_VISIBLE, CRect(170, 59, 540, 80), &dlg, 778);
        first.SetFont(&font);
        second.SetFont(&font);
        EXPECT_EQ(first.m_hWnd->Font(), second.m_hWnd->Font());
        EXPECT_EQ(first.SendMessage(WM_GETFONT), reinterpret_cast<LRESULT>(font.m_hObject));
        LOGFONT read = {};
        EXPECT_EQ(font.GetLogFont(&read), static_cast<int>(sizeof(LOGFONT)));
        EXPECT_EQ(read.lfHeight, -11);
        EXPECT_STREQ(read.lfFaceName, "Arial");
        font.DeleteObject();
        EXPECT_EQ(first.m_hWnd->Font(), nullptr);
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

TEST(CWndTest, AnObjectTakesItsWindowWithIt)
{
    CTestBackend backend(&kTestResources);
    CInnerDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        size_t nBefore = hDlg->Children().size();
        HWND hLabel = nullptr;
        {
            CStatic label;
            label.Create("---", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &dlg, 777);
            hLabel = label.m_hWnd;
            EXPECT_TRUE(::IsWindow(hLabel));
        }
        EXPECT_FALSE(::IsWindow(hLabel));
        EXPECT_EQ(hDlg->Children().size(), nBefore);
        auto* pLabel = new CStatic;
        pLabel->Create("---", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &dlg, 778);
        pLabel->DestroyWindow();
        EXPECT_EQ(pLabel->m_hWnd, nullptr);
        delete pLabel;
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

TEST(CWndTest, IconicWindowsPaintTheirIconThroughThePeer)
{
    CTestBackend backend(&kTestResources);
    backend.bWithPeers = true;
    CInnerDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_FALSE(dlg.IsIconic());
        dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(dlg.IsIconic());
        backend.peerLog.clear();
        CDC dc(hDlg);
        dc.DrawIcon(5, 6, AfxFindIcon(IDI_TEST));
        EXPECT_EQ(backend.peerLog, std::vector<std::string>{"0 icon 5 6 400"});
        dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(dlg.IsIconic());
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

}  // namespace
