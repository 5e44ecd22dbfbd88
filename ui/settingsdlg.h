// CSettingsDlg: the settings dialog. It edits the settings record in place:
// the four options, the 18 suffixes (a column of edits made at run time,
// beside the channel list), the default configuration, and the list of
// configurations. Additions and removals take effect at once, in the
// record's list and in all three configuration combo boxes (this dialog's
// two and the main dialog's), so one index names one configuration
// everywhere. Options, suffixes and the default are stored when the dialog
// closes, whichever way: Escape, the close box, the system menu's Close or
// Enter.
#pragma once

#include <memory>

#include "layout/settings.h"
#include "layout/speakerposition.h"
#include "platform/cbutton.h"
#include "platform/ccombobox.h"
#include "platform/cdialog.h"
#include "platform/cedit.h"
#include "platform/cfont.h"
#include "platform/clistbox.h"
#include "platform/dialogtemplate.h"

extern const DialogTemplate kSettingsTemplate;

class CSettingsDlg : public CDialog {
public:
    // The dialog reads and changes the settings record in place.
    explicit CSettingsDlg(CSettings& settings, CWnd* pParent = nullptr);
    ~CSettingsDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter stores like the other closes, so nothing typed is lost silently.
    void OnOK() override;
    void OnCancel() override;

    void OnAddConfiguration();
    void OnRemoveConfiguration();
    void OnSelchangeConfigurations();

    // The storing part of every close: suffixes, options, default.
    void StoreSettings();
    CButton* CheckBox(int nID) const;
    // The main dialog's configuration combo box, or null without a main window.
    CWnd* MainConfigurationCombo() const;

    CSettings& m_settings;
    std::unique_ptr<CEdit> m_pSuffixEdit[kSpeakerPositionCount];
    CFont m_font;
    CComboBox m_comboDefaultConfiguration;
    CComboBox m_comboConfigurations;
    CListBox m_listChannels;
    // The configuration the default box named at opening, followed through
    // removals (the first one once it is removed): the default kept when the
    // box's text has been typed over and it has no selection at closing.
    int m_nOpeningDefault = 0;

    DECLARE_MESSAGE_MAP()
};
