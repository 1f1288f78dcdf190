#include "dialogs/OptionsDlg.h"

#include "app/MyDrunoApp.h"
#include "dialogs/DialogLaF.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"

namespace {

// The sizes the game screen can draw sensibly; the spin controls and the checks agree.
constexpr int kFontSizeMin = 25;
constexpr int kFontSizeMax = 200;
constexpr int kFontSizeStatusMin = 10;
constexpr int kFontSizeStatusMax = 25;

}  // namespace

COptionsDlg::COptionsDlg(platform::Window* pParent) : platform::Dialog(IDD_OPTIONS, pParent) {}

void COptionsDlg::DoDataExchange(platform::DataExchange& dx) {
    platform::Dialog::DoDataExchange(dx);
    dx.Control(IDCANCEL_BUTTON, m_btnCancel);
    dx.Control(IDC_SPIN_FONT_SIZE_STATUS, m_spinFontSizeStatus);
    dx.Control(IDC_SPIN_FONT_SIZE, m_spinFontSize);
    dx.Check(IDC_SOUND, m_bSound);
    dx.Text(IDC_FONT_SIZE, m_nFontSize);
    dx.Text(IDC_FONT_SIZE_STATUS, m_nFontSizeStatus);
    // Both fields are read before either range is checked.
    if (dx.SaveAndValidate()) {
        dx.MinMaxInt(m_nFontSize, kFontSizeMin, kFontSizeMax);
        dx.MinMaxInt(m_nFontSizeStatus, kFontSizeStatusMin, kFontSizeStatusMax);
    }
}

bool COptionsDlg::OnInitDialog() {
    InitDialogLaF(this, theApp.m_bNoFullScreenDlg, true, false);
    platform::Dialog::OnInitDialog();
    m_spinFontSize.SetRange(kFontSizeMin, kFontSizeMax);
    m_spinFontSizeStatus.SetRange(kFontSizeStatusMin, kFontSizeStatusMax);
    // One caption stands before both fields; a screen reader needs each named.
    SetDlgItemName(IDC_FONT_SIZE_STATUS, platform::LoadString(IDS_NAME_FONT_SIZE_STATUS));
    SetDlgItemName(IDC_FONT_SIZE, platform::LoadString(IDS_NAME_FONT_SIZE));
    if (theApp.m_bShowCancelBtn) {
        PlaceCancelButton(this, &m_btnCancel, false);
    }
    return true;
}
