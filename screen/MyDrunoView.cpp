#include "screen/MyDrunoView.h"

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "screen/StripTargets.h"
#include "stats/GameStatistics.h"
#include "trace/TraceScope.h"

PLATFORM_IMPLEMENT_DYNCREATE(CMyDrunoView)

namespace {

// Distance of the strip's top edge from the bottom of the client area.
constexpr int kStripFromBottom = 35;
// The handheld's screen: the layout is drawn scaled beyond it.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 268;

constexpr unsigned kTextFlags =
    platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine;

// A font of the given cell height in pixels; every other field takes the default.
platform::LogFont ArialOfHeight(int nHeight) {
    platform::LogFont lf;
    lf.lfHeight = nHeight;
    lf.lfFaceName = QStringLiteral("Arial");
    return lf;
}

// The strip's colours: bright green frames, dark green fields, white digits and arrow.
constexpr platform::Colour kStripFrame{0x00, 0xFF, 0x00};
constexpr platform::Colour kStripField{0x00, 0x80, 0x00};
constexpr platform::Colour kStripInk{0xFF, 0xFF, 0xFF};

// The strip drawn from outlines rather than copied from its bitmap, for a screen that shows
// it larger than its pixels: the same cells, frames and colours, with each frame on whole
// device pixels and the digits and the arrow smooth.
void DrawStripOutlines(platform::DC* pDC, int left, int top) {
    pDC->FillSolidRect({left, top, left + kStripWidth, top + kStripHeight}, kStripFrame);
    for (int cell = 0; cell < kStripCells; ++cell) {
        const int x = left + cell * kStripCellWidth;
        pDC->FillSolidRect({x + 1, top + 1, x + kStripCellWidth - 1, top + kStripHeight - 1},
                           kStripField);
        if (cell < kStripDeleteCell) {
            // A digit 8 wide and 14 high, 6 pixels in from the cell's corner.
            pDC->FillGlyphs(QString::number(cell), {x + 6, top + 6, x + 14, top + 20}, kStripInk);
            continue;
        }
        // An arrow pointing left: its tip 4 pixels in, its shaft 3 high, 16 long in all.
        const double tipX = x + 4;
        const double middleY = top + 12.5;
        pDC->FillPolygon({{tipX, middleY},
                          {tipX + 5, middleY - 4.5},
                          {tipX + 5, middleY - 1.5},
                          {tipX + 12, middleY - 1.5},
                          {tipX + 12, middleY + 1.5},
                          {tipX + 5, middleY + 1.5},
                          {tipX + 5, middleY + 4.5}},
                         kStripInk);
    }
}

}  // namespace

CMyDrunoView::CMyDrunoView() {
    CTraceScope trace(QStringLiteral("CMyDrunoView::CMyDrunoView()"));
    SetLayoutSize(kScreenWidth, kScreenHeight);
}

CMyDrunoView::~CMyDrunoView() {
    CTraceScope trace(QStringLiteral("CMyDrunoView::~CMyDrunoView()"));
}

CMyDrunoDoc* CMyDrunoView::GetDocument() const {
    return static_cast<CMyDrunoDoc*>(platform::View::GetDocument());
}

int CMyDrunoView::OnCreate() {
    CTraceScope trace(QStringLiteral("CMyDrunoView::OnCreate()"));
    if (platform::View::OnCreate() == -1) {
        trace.SetResult(QStringLiteral("-1 /* error */"));
        return -1;
    }
    // A missing strip only leaves the strip undrawn; the game can still be closed.
    m_bmpNumbers.LoadBitmap(IDB_NUMBERS);
    trace.SetResult(QStringLiteral("0 /* OK */"));
    return 0;
}

void CMyDrunoView::OnSize(unsigned nType, int cx, int cy) {
    CTraceScope trace(QStringLiteral("CMyDrunoView::OnSize()"));
    platform::View::OnSize(nType, cx, cy);
    // Centred near the bottom; the text areas follow from the client rectangle when drawn.
    const platform::Rect rect = GetClientRect();
    m_nNumbersLeft = (rect.Width() - kStripWidth) / 2;
    m_nNumbersTop = rect.Height() - kStripFromBottom;
}

void CMyDrunoView::OnDraw(platform::DC* pDC) {
    CTraceScope trace(QStringLiteral("CMyDrunoView::OnDraw()"));
    if (!GetDocument()->m_bPlaying) {
        return;
    }
    DrawNumbers(pDC);
    DrawComment(pDC);
    const QString strLevel = LevelLine();
    if (!strLevel.isEmpty()) {
        DrawLevel(pDC, strLevel);
    }
}

void CMyDrunoView::DrawNumbers(platform::DC* pDC) {
    CTraceScope trace(QStringLiteral("CMyDrunoView::DrawNumbers()"));
    if (pDC->DeviceScale() != 1.0) {
        DrawStripOutlines(pDC, m_nNumbersLeft, m_nNumbersTop);
        return;
    }
    platform::DC* pWindowDC = GetDC();
    platform::DC dcMem;
    dcMem.CreateCompatibleDC(pWindowDC);
    platform::Bitmap* pOldBitmap = dcMem.SelectObject(&m_bmpNumbers);
    pDC->BitBlt(m_nNumbersLeft, m_nNumbersTop, kStripWidth, kStripHeight, &dcMem, 0, 0,
                platform::kRopSrcCopy);
    dcMem.SelectObject(pOldBitmap);
    dcMem.DeleteDC();
    ReleaseDC(pWindowDC);
}

void CMyDrunoView::DrawComment(platform::DC* pDC) {
    CTraceScope trace(QStringLiteral("CMyDrunoView::DrawComment()"));
    CDrunoGame& game = GetDocument()->m_game;

    // The result line, large, in the middle.
    const QString strResult = game.GetResult();
    platform::Font fontResult;
    fontResult.CreateFontIndirect(ArialOfHeight(theApp.m_nFontSize));
    platform::Font* pOldFont = pDC->SelectObject(&fontResult);
    const int nOldBkMode = pDC->SetBkMode(platform::kBkTransparent);
    platform::Rect rectResult = GetResultRect();
    pDC->DrawText(strResult, &rectResult, kTextFlags);
    pDC->SelectObject(pOldFont);
    fontResult.DeleteObject();

    // The status line at the top: the digits typed so far, then the attempt counter.
    const QString strStatus = game.GetStatus();
    const QString strTyped = game.GetTyped();
    platform::Font fontStatus;
    fontStatus.CreateFontIndirect(ArialOfHeight(theApp.m_nFontSizeStatus));
    pOldFont = pDC->SelectObject(&fontStatus);
    const QString strLine = StatusLine(strTyped, strStatus);
    platform::Rect rectStatus = GetStatusRect();
    pDC->DrawText(strLine, &rectStatus, kTextFlags);
    pDC->SelectObject(pOldFont);
    fontStatus.DeleteObject();
    pDC->SetBkMode(nOldBkMode);

    trace.Log(QStringLiteral("guess: ") + game.GetNumber());
    trace.Log(QStringLiteral("typed: ") + strTyped);
}

QString CMyDrunoView::LevelLine() const {
    const CMyDrunoDoc* pDoc = GetDocument();
    if (pDoc == nullptr || !pDoc->m_bPlaying || pDoc->GetLevel() == CMyDrunoDoc::kDefaultLevel) {
        return {};
    }
    return platform::LoadString(IDS_LEVEL_NAMES)
        .split(QLatin1Char('|'))
        .value(pDoc->GetLevel() - 1);
}

// In the status font, in the room between the status line and the result line.
void CMyDrunoView::DrawLevel(platform::DC* pDC, const QString& strLevel) {
    platform::Font fontLevel;
    fontLevel.CreateFontIndirect(ArialOfHeight(theApp.m_nFontSizeStatus));
    platform::Font* pOldFont = pDC->SelectObject(&fontLevel);
    const int nOldBkMode = pDC->SetBkMode(platform::kBkTransparent);
    platform::Rect rectLevel = GetLevelRect();
    pDC->DrawText(strLevel, &rectLevel, kTextFlags);
    pDC->SetBkMode(nOldBkMode);
    pDC->SelectObject(pOldFont);
    fontLevel.DeleteObject();
}

QString CMyDrunoView::StatusLine(const QString& strTyped, const QString& strStatus) {
    return strTyped.isEmpty() ? strStatus : strTyped + QStringLiteral(", ") + strStatus;
}

std::vector<platform::TapTarget> CMyDrunoView::GetTapTargets() const {
    const CMyDrunoDoc* pDoc = GetDocument();
    return StripTargets(m_nNumbersLeft, m_nNumbersTop, pDoc != nullptr && pDoc->m_bPlaying);
}

QStringList CMyDrunoView::GetShownTexts() const {
    const CMyDrunoDoc* pDoc = GetDocument();
    if (pDoc == nullptr || !pDoc->m_bPlaying) {
        return {QString(), QString()};
    }
    const CDrunoGame& game = pDoc->m_game;
    QStringList texts{StatusLine(game.GetTyped(), game.GetStatus()), game.GetResult()};
    const QString strLevel = LevelLine();
    if (!strLevel.isEmpty()) {
        texts << strLevel;
    }
    return texts;
}

platform::Rect CMyDrunoView::GetResultRect() const {
    platform::Rect rect = GetClientRect();
    rect.top += 40;
    rect.bottom -= 45;
    return rect;
}

platform::Rect CMyDrunoView::GetStatusRect() const {
    platform::Rect rect = GetClientRect();
    rect.bottom = rect.top + 45;
    rect.top += 5;
    return rect;
}

// Just under the status area, as high as the status font needs.
platform::Rect CMyDrunoView::GetLevelRect() const {
    platform::Rect rect = GetClientRect();
    rect.top += 45;
    rect.bottom = rect.top + theApp.m_nFontSizeStatus + 4;
    return rect;
}

void CMyDrunoView::InvalidateComment() {
    InvalidateRect(GetResultRect(), true);
    InvalidateRect(GetStatusRect(), true);
}

void CMyDrunoView::OnLButtonDown(unsigned nFlags, platform::Point point) {
    CTraceScope trace(QStringLiteral("CMyDrunoView::OnLButtonDown()"));
    CMyDrunoDoc* pDoc = GetDocument();
    if (!pDoc->m_bPlaying) {
        pDoc->PlaySound(CMyDrunoDoc::kSoundError);
        return;
    }

    const int nIndex = (point.x - m_nNumbersLeft) / kStripCellWidth;
    // One pixel more than the strip in each direction still counts as a hit.
    const bool bOnStrip = m_nNumbersLeft <= point.x && point.x <= m_nNumbersLeft + kStripWidth &&
                          m_nNumbersTop <= point.y && point.y <= m_nNumbersTop + kStripHeight;
    if (bOnStrip) {
        trace.LogFormat("index=%d", nIndex);
        CDrunoGame& game = pDoc->m_game;
        if (nIndex < kStripDeleteCell) {
            // A digit that completes a guess is answered by the result line, not a click.
            if (!game.AddDigit(nIndex)) {
                pDoc->PlaySound(CMyDrunoDoc::kSoundKey);
            }
            pDoc->RoundChanged();
            InvalidateComment();
            // The text lines are invalidated first, so the finished round stays on screen
            // behind the message; the document blanks the view once it is closed.
            if (game.IsLost()) {
                const QString strText = platform::FormatString(IDS_GAME_OVER, game.GetNumber());
                pDoc->CountLost(platform::RoundOutcome::Lost);
                platform::MessageBox(strText, platform::kMbOk);
                pDoc->StopPlaying();
            }
            if (game.IsSolved()) {
                pDoc->CountWon();
                platform::MessageBox(IDS_WON, platform::kMbOk);
                pDoc->StopPlaying();
            }
        } else if (nIndex == kStripDeleteCell) {
            if (!game.DeleteDigit()) {
                pDoc->PlaySound(CMyDrunoDoc::kSoundError);
            }
            pDoc->RoundChanged();
            InvalidateComment();
        }
        InvalidateComment();
        trace.Log(QStringLiteral("guess=") + game.GetNumber() + QStringLiteral("  typed=") +
                  game.GetTyped());
    }
    platform::View::OnLButtonDown(nFlags, point);
}
