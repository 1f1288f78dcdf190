#include "app/MyDrunoApp.h"

#include "trace/TraceScope.h"

CMyDrunoApp theApp;

CMyDrunoApp::CMyDrunoApp() : platform::Application(QStringLiteral("Druno")) {
    s_bDebugOutput = true;
    CTraceScope trace(QStringLiteral("CMyDrunoApp::CMyDrunoApp()"));
    m_bSound = true;
    m_nFontSize = 100;
    m_nFontSizeStatus = 16;
}

void CMyDrunoApp::RegInit(bool fRead) {
    CTraceScope trace(QStringLiteral("CMyDrunoApp::RegInit()"));
    const QString init = QStringLiteral("Init");
    const QString laf = QStringLiteral("Init.LaF");
    if (fRead) {
        trace.Log(QStringLiteral("fRead==true"));
        m_bSound = GetProfileInt(init, QStringLiteral("Sound"), 1) != 0;
        m_nFontSize = GetProfileInt(init, QStringLiteral("FontSize"), 100);
        m_nFontSizeStatus = GetProfileInt(init, QStringLiteral("FontSizeStatus"), 16);
        m_bShowCancelBtn = GetProfileInt(laf, QStringLiteral("ShowCancelBtn"), 1) != 0;
        m_bNoFullScreenDlg = GetProfileInt(laf, QStringLiteral("NoFullScreenDlg"), 1) != 0;
    } else {
        trace.Log(QStringLiteral("fRead==false /* write */"));
        WriteProfileInt(init, QStringLiteral("Sound"), m_bSound ? 1 : 0);
        WriteProfileInt(init, QStringLiteral("FontSize"), m_nFontSize);
        WriteProfileInt(init, QStringLiteral("FontSizeStatus"), m_nFontSizeStatus);
        WriteProfileInt(laf, QStringLiteral("ShowCancelBtn"), m_bShowCancelBtn ? 1 : 0);
        WriteProfileInt(laf, QStringLiteral("NoFullScreenDlg"), m_bNoFullScreenDlg ? 1 : 0);
    }
}
