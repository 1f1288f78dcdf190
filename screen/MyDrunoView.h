#pragma once

// The game view: draws the digit strip, the status line and the result line while a round is
// played, and turns taps on the strip into digits and deletions for the round.

#include "platform/core/Types.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/framework/View.h"
#include "platform/graphics/DC.h"

#include <QString>
#include <QStringList>

#include <vector>

class CMyDrunoDoc;

class CMyDrunoView : public platform::View {
    PLATFORM_DECLARE_DYNCREATE(CMyDrunoView)

public:
    CMyDrunoView();
    ~CMyDrunoView() override;

    CMyDrunoDoc* GetDocument() const;

    // Draws the round while one is played; between rounds the view stays blank.
    void OnDraw(platform::DC* pDC) override;

    // Message handlers: creation, size change and a tap.
    int OnCreate() override;
    void OnSize(unsigned nType, int cx, int cy) override;
    void OnLButtonDown(unsigned nFlags, platform::Point point) override;

    // For keys and assistive technology: the strip's cells, and the two text lines as drawn
    // (both empty between rounds).
    std::vector<platform::TapTarget> GetTapTargets() const override;
    QStringList GetShownTexts() const override;

private:
    // The status line: the digits typed so far, if any, then the attempt counter.
    static QString StatusLine(const QString& strTyped, const QString& strStatus);
    void DrawNumbers(platform::DC* pDC);
    void DrawComment(platform::DC* pDC);
    // A round of four or five digits names its level under the status line, all round long;
    // the default level shows none. Empty when none is shown.
    QString LevelLine() const;
    void DrawLevel(platform::DC* pDC, const QString& strLevel);
    platform::Rect GetStatusRect() const;
    platform::Rect GetLevelRect() const;
    platform::Rect GetResultRect() const;
    // Marks both text lines for repainting; the strip itself never changes.
    void InvalidateComment();

    platform::Bitmap m_bmpNumbers;
    int m_nNumbersTop = 10;
    int m_nNumbersLeft = 10;
};
