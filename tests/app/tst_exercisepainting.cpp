// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window as START opens it: its layout pass, its painting from the skin
// template, the control panel's column and the score row with the labels' real sizes.

#include "CodedTemplate.h"
#include "TestSupport.h"

#include "app/Fonts.h"
#include "engine/Rounding.h"
#include "engine/TimeText.h"
#include "ui/exercise/ExerciseScreen.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDraw.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(exerciseScreen::LayoutStep)

namespace {

// Colours as rgbOf gives them, without alpha.
const QRgb kBack = rgbOf(qRgb(197, 214, 237));
const QRgb kNavy = rgbOf(qRgb(0, 0, 128));
const QRgb kWhite = rgbOf(qRgb(255, 255, 255));
const QString kTitle = QStringLiteral("Speed Velantra");

QRect rectOf(const ControlPlacement &c)
{
    return QRect(int(c.Left()), int(c.Top()), int(c.Width()), int(c.Height()));
}

// Where the windowing layer shows a control: its place brought to whole pixels, halves
// to even.
QRect shownAt(double left, double top, double width, double height)
{
    return QRect(roundToInt(left), roundToInt(top), roundToInt(width), roundToInt(height));
}

// White text partly covered by navy text: every blend of the two has red equal to green
// and blue from 128 up. No template pixel of the coded template and not the background.
bool betweenNavyAndWhite(QRgb p)
{
    return qRed(p) == qGreen(p) && qBlue(p) >= 128 && qBlue(p) >= qRed(p);
}

// The title's glyphs as the primitives draw them at (0, 0): the pixels fully in navy.
QImage navyMaskOfTitle(QRect &ink)
{
    Surface ref;
    ref.resize(400, 40);
    ref.setBackColor(Qt::white);
    ref.setAutoRedraw(true);
    ref.Cls();
    ref.setSkinFont(SkinFont{QStringLiteral("Arial"), 15, true, false});
    ref.setForeColor(kNavy);
    drawTextInRect(ref, kTitle, 0, 0, 400, 40, TextFormat::LeftTop);
    const QImage img = ref.persistentImage().copy();
    ink = inkBounds(img, img.rect(), [](QRgb p) { return p == kNavy; });
    return img;
}

// The panel frame around a control at a whole-pixel left, top, width and height.
QString panelFrameMismatch(const QImage &img, const QImage &tpl, int L, int T, int Wc, int Hc)
{
    const int x0 = L - 4, y0 = T - 4;
    QString m;
    const auto fail = [&](const char *what) { return QString::fromLatin1(what) + QStringLiteral(": ") + m; };
    if (!(m = pieceMismatch(img, QPoint(x0, y0), QRect(544, 282, 10, 10), tpl)).isEmpty())
        return fail("top-left corner");
    if (!(m = pieceMismatch(img, QPoint(L + Wc - 6, y0), QRect(650, 282, 10, 10), tpl)).isEmpty())
        return fail("top-right corner");
    if (!(m = pieceMismatch(img, QPoint(x0, T + Hc - 6), QRect(544, 359, 10, 10), tpl)).isEmpty())
        return fail("bottom-left corner");
    if (!(m = pieceMismatch(img, QPoint(L + Wc - 6, T + Hc - 6), QRect(650, 359, 10, 10), tpl)).isEmpty())
        return fail("bottom-right corner");
    const QRect across(L + 6, 0, Wc - 12, 0);
    m = templateMismatch(img, QRect(across.left(), y0, across.width(), 4), tpl,
                         [&](int x, int y) { return QPoint(562 + (x - x0) % 4, 282 + y - y0); });
    if (!m.isEmpty())
        return fail("top edge");
    m = templateMismatch(img, QRect(across.left(), T + Hc, across.width(), 4), tpl,
                         [&](int x, int y) { return QPoint(562 + (x - x0) % 4, 365 + y - (T + Hc)); });
    if (!m.isEmpty())
        return fail("bottom edge");
    m = templateMismatch(img, QRect(x0, T + 6, 4, Hc - 12), tpl,
                         [&](int x, int y) { return QPoint(544 + x - x0, 303 + (y - y0) % 4); });
    if (!m.isEmpty())
        return fail("left edge");
    m = templateMismatch(img, QRect(L + Wc, T + 6, 4, Hc - 12), tpl,
                         [&](int x, int y) { return QPoint(656 + x - (L + Wc), 303 + (y - y0) % 4); });
    if (!m.isEmpty())
        return fail("right edge");
    return QString();
}

} // namespace

class TestExercisePainting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void narrowScoreRowKeepsResetWholeAndClickable();
    void recordStaysReadableInTheFreeArea_data();
    void recordStaysReadableInTheFreeArea();

    void layoutAfterStart_data();
    void layoutAfterStart();
    void controlPanelWithRealLabels_data();
    void controlPanelWithRealLabels();
    void fractionalPlacesShownHalvesToEven();
    void titleAtItsPlace_data();
    void titleAtItsPlace();
    void paintedFromTheTemplate_data();
    void paintedFromTheTemplate();
    void resizeWhileMinimisedDoesNothing();
    void layoutPassIsRepeatable();
    void scoreLabelsFollowChecksAndResizesButNotReset();
    void labelTextColours_data();
    void labelTextColours();
    void layoutStepsInOrder_data();
    void layoutStepsInOrder();

private:
    std::unique_ptr<CodedTemplate> coded_;
};

void TestExercisePainting::initTestCase()
{
    fonts::ensureTahoma();
}

void TestExercisePainting::cleanup()
{
    TestWorld::closeAll();
    coded_.reset();
}

void TestExercisePainting::layoutAfterStart_data()
{
    QTest::addColumn<int>("screenW");
    QTest::addColumn<int>("screenH");
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QRect>("grid");
    QTest::addColumn<QRect>("score");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("back");
    QTest::addColumn<int>("rowTwips");
    QTest::newRow("1280x800") << 1280 << 800 << QSize(1280, 775) << QRect(40, 70, 675, 675) << QRect(745, 70, 495, 45)
                              << QRect(745, 125, 495, 550) << QRect(1105, 695, 140, 50) << 1012;
    QTest::newRow("1024x768") << 1024 << 768 << QSize(1024, 743) << QRect(40, 70, 643, 643) << QRect(713, 70, 271, 45)
                              << QRect(713, 125, 271, 518) << QRect(849, 663, 140, 50) << 964;
}

void TestExercisePainting::layoutAfterStart()
{
    QFETCH(int, screenW);
    QFETCH(int, screenH);
    QFETCH(QSize, inner);
    QFETCH(QRect, grid);
    QFETCH(QRect, score);
    QFETCH(QRect, control);
    QFETCH(QRect, back);
    QFETCH(int, rowTwips);
    TestWorld world(screenW, screenH);
    ExerciseWindow &ex = world.openExercise(true);
    StartWindow &main = windows::frmMain();
    QVERIFY(ex.isVisible());
    QCOMPARE(QSize(ex.ScaleWidth(), ex.ScaleHeight()), inner);
    // Over the start window, 375 twips down, as wide, 375 twips less high.
    QCOMPARE(ex.Left(), main.Left());
    QCOMPARE(ex.Top(), main.Top() + 375);
    QCOMPARE(ex.Width(), main.Width());
    QCOMPARE(ex.Height(), main.Height() - 375);

    QCOMPARE(rectOf(ex.gSoru), grid);
    QCOMPARE(ex.gSoru->geometry(), grid);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(ex.gSoru->rowHeight(i), rowTwips);
        QCOMPARE(ex.gSoru->colWidth(i), rowTwips);
    }
    QCOMPARE(rectOf(ex.pScore), score);
    QCOMPARE(ex.pScore->geometry(), score);
    QCOMPARE(rectOf(ex.pKontrol), control);
    QCOMPARE(ex.pKontrol->geometry(), control);
    QCOMPARE(QSize(ex.pKontrol->ScaleWidth(), ex.pKontrol->ScaleHeight()), control.size());
    QCOMPARE(rectOf(ex.btnBack), back);
    QCOMPARE(ex.btnBack->geometry(), back);
    // The panels' contents were laid out for their sizes too: RESET against the right.
    QCOMPARE(ex.btnReset.Left(), score.width() - 90.0);
    QCOMPARE(ex.btnReset.Top(), 7.0);
}

void TestExercisePainting::controlPanelWithRealLabels_data()
{
    QTest::addColumn<int>("screenW");
    QTest::addColumn<int>("screenH");
    QTest::newRow("1280x800") << 1280 << 800;
    QTest::newRow("1024x768") << 1024 << 768;
}

// The labels take the sizes their texts have in this font, not the design sizes; the
// column is checked against the rules with the sizes the labels really have.
void TestExercisePainting::controlPanelWithRealLabels()
{
    QFETCH(int, screenW);
    QFETCH(int, screenH);
    TestWorld world(screenW, screenH);
    ExerciseWindow &ex = world.openExercise(true);
    const double sw = ex.pKontrol->ScaleWidth();
    const double sh = ex.pKontrol->ScaleHeight();
    const SelfSizingLabel &cap0 = ex.lbBilgi[0];
    const SelfSizingLabel &cap1 = ex.lbBilgi[1];
    const QFontMetrics fm(cap0->font());
    QCOMPARE(cap0.Width(), double(fm.horizontalAdvance(QStringLiteral("YOUR ANSWER"))));
    QCOMPARE(cap0.Height(), double(fm.height()));
    QCOMPARE(cap1.Width(), double(QFontMetrics(cap1->font()).horizontalAdvance(QStringLiteral("CORRECT ANSWER"))));
    qInfo("caption sizes: %gx%g and %gx%g", cap0.Width(), cap0.Height(), cap1.Width(), cap1.Height());

    const int T = sw - 12 < 360 ? roundToInt(sw - 12) : 360;
    const int C = sw - 12 < 300 ? roundToInt(sw - 12) : 300;
    const double squeeze = 105 - ex.btnStart.Top();
    // SHUFFLE and START side by side on START's row, pair offset 10 left of centre.
    // Where the pair is wider than the panel (the 1024-wide window) the two share its width
    // instead of running past both edges.
    const bool pairFits = sw >= 370;
    const double buttonW = pairFits ? 170 : std::min(170.0, (sw - 22) / 2);
    QCOMPARE(ex.btnKaristir.Top(), ex.btnStart.Top());
    QCOMPARE(ex.btnKaristir.Left(), pairFits ? double(roundToInt((sw - 370) / 2)) : (sw - 2 * buttonW - 10) / 2);
    QCOMPARE(ex.btnStart.Left(), ex.btnKaristir.Left() + buttonW + 10);
    QVERIFY(ex.btnKaristir.Left() >= 0 && ex.btnStart.Left() + ex.btnStart.Width() <= sw);
    QCOMPARE(QSizeF(ex.btnKaristir.Width(), ex.btnKaristir.Height()), QSizeF(buttonW, 45));
    QCOMPARE(QSizeF(ex.btnStart.Width(), ex.btnStart.Height()), QSizeF(buttonW, 45));
    // The column, each row below the one above it.
    QCOMPARE(QRectF(ex.txtSure.Left(), ex.txtSure.Top(), ex.txtSure.Width(), ex.txtSure.Height()),
             QRectF((sw - T) / 2, ex.btnStart.Top() + 65, T, 72));
    QCOMPARE(QPointF(cap0.Left(), cap0.Top()), QPointF((sw - cap0.Width()) / 2, ex.txtSure.Top() + 72 + 40));
    QCOMPARE(QRectF(ex.txtYourAnswer.Left(), ex.txtYourAnswer.Top(), ex.txtYourAnswer.Width(), ex.txtYourAnswer.Height()),
             QRectF((sw - 150) / 2, cap0.Top() + cap0.Height() + 10, 150, 72));
    QCOMPARE(QPointF(cap1.Left(), cap1.Top()), QPointF((sw - cap1.Width()) / 2, ex.txtYourAnswer.Top() + 97));
    QCOMPARE(QRectF(ex.txtCorrectAnswer.Left(), ex.txtCorrectAnswer.Top(), ex.txtCorrectAnswer.Width(),
                    ex.txtCorrectAnswer.Height()),
             QRectF((sw - 150) / 2, cap1.Top() + cap1.Height() + 10, 150, 72));
    QCOMPARE(QRectF(ex.btnCheck.Left(), ex.btnCheck.Top(), ex.btnCheck.Width(), ex.btnCheck.Height()),
             QRectF((sw - C) / 2, ex.txtCorrectAnswer.Top() + 72 + 25, C, 55));
    // Pushed up just far enough: more than 5 pixels of room below the last button, and
    // one pixel less would not have been enough.
    QVERIFY(squeeze > 0);
    const double checkBottom = ex.btnCheck.Top() + 55;
    QVERIFY(checkBottom + 5 < sh);
    QVERIFY(checkBottom + 1 + 5 >= sh);
}

void TestExercisePainting::fractionalPlacesShownHalvesToEven()
{
    TestWorld world;
    ExerciseWindow &ex = world.openExercise(true);
    // Kept as given...
    QCOMPARE(ex.txtSure.Left(), 67.5);
    QCOMPARE(ex.txtYourAnswer.Left(), 172.5);
    QCOMPARE(ex.txtCorrectAnswer.Left(), 172.5);
    QCOMPARE(ex.btnCheck.Left(), 97.5);
    // ...and shown at the nearest whole pixel, halves to even.
    QCOMPARE(ex.txtSure->x(), 68);
    QCOMPARE(ex.txtYourAnswer->x(), 172);
    QCOMPARE(ex.txtCorrectAnswer->x(), 172);
    QCOMPARE(ex.btnCheck->x(), 98);
    for (const ControlPlacement *c : {static_cast<const ControlPlacement *>(&ex.btnKaristir), static_cast<const ControlPlacement *>(&ex.btnStart),
                             static_cast<const ControlPlacement *>(&ex.txtSure), static_cast<const ControlPlacement *>(&ex.lbBilgi[0]),
                             static_cast<const ControlPlacement *>(&ex.txtYourAnswer), static_cast<const ControlPlacement *>(&ex.lbBilgi[1]),
                             static_cast<const ControlPlacement *>(&ex.txtCorrectAnswer), static_cast<const ControlPlacement *>(&ex.btnCheck),
                             static_cast<const ControlPlacement *>(&ex.lbDeneme1), static_cast<const ControlPlacement *>(&ex.lbAverage)})
        QCOMPARE(c->widget()->geometry(), shownAt(c->Left(), c->Top(), c->Width(), c->Height()));
}

void TestExercisePainting::titleAtItsPlace_data()
{
    QTest::addColumn<int>("screenW");
    QTest::addColumn<int>("screenH");
    QTest::newRow("1280x800") << 1280 << 800;
    QTest::newRow("1024x768") << 1024 << 768;
}

void TestExercisePainting::titleAtItsPlace()
{
    QFETCH(int, screenW);
    QFETCH(int, screenH);
    TestWorld world(screenW, screenH);
    world.startWindow();
    coded_ = std::make_unique<CodedTemplate>();   // no template pixel is navy or white
    ExerciseWindow &ex = world.openExercise(true);
    QRect refInk;
    const QImage ref = navyMaskOfTitle(refInk);
    QVERIFY(refInk.width() > 100);

    const QImage &img = ex.persistentImage();
    const QRect zone(200, 0, 400, 60);
    const QRect navy = inkBounds(img, zone, [](QRgb p) { return p == kNavy; });
    QCOMPARE(navy, refInk.translated(210, 2));
    for (int y = refInk.top(); y <= refInk.bottom(); ++y)
        for (int x = refInk.left(); x <= refInk.right(); ++x)
            QCOMPARE(rgbOf(img.pixel(x + 210, y + 2)) == kNavy, rgbOf(ref.pixel(x, y)) == kNavy);

    // The white copy lies one pixel right and down, under the navy one.
    const QRect white = inkBounds(img, zone, [](QRgb p) { return p == kWhite; });
    QVERIFY(!white.isEmpty());
    QVERIFY(navy.translated(1, 1).contains(white));
    for (int y = refInk.top(); y <= refInk.bottom(); ++y)
        for (int x = refInk.left(); x <= refInk.right(); ++x)
            if (rgbOf(ref.pixel(x, y)) == kNavy)
                QVERIFY2(betweenNavyAndWhite(img.pixel(x + 211, y + 3)),
                         qPrintable(describePixel(img.pixel(x + 211, y + 3))));

    // The title's font and colour stay set on the window.
    QCOMPARE(ex.skinFont().face, QStringLiteral("Arial"));
    QCOMPARE(ex.skinFont().points, 15.0);
    QVERIFY(ex.skinFont().bold);
    QCOMPARE(rgbOf(ex.foreColor()), kNavy);
}

void TestExercisePainting::paintedFromTheTemplate_data()
{
    QTest::addColumn<int>("screenW");
    QTest::addColumn<int>("screenH");
    QTest::addColumn<bool>("coded");
    QTest::newRow("program template, 1280x800") << 1280 << 800 << false;
    QTest::newRow("coded template, 1280x800") << 1280 << 800 << true;
    QTest::newRow("coded template, 1024x768") << 1024 << 768 << true;
}

void TestExercisePainting::paintedFromTheTemplate()
{
    QFETCH(int, screenW);
    QFETCH(int, screenH);
    QFETCH(bool, coded);
    TestWorld world(screenW, screenH);
    world.startWindow();
    if (coded)
        coded_ = std::make_unique<CodedTemplate>();
    ExerciseWindow &ex = world.openExercise(true);
    const QImage &tpl = SkinTemplate::current()->image(1);
    const QImage &img = ex.persistentImage();
    const int W = ex.ScaleWidth(), H = ex.ScaleHeight();

    const QRect grid = rectOf(ex.gSoru), score = rectOf(ex.pScore), control = rectOf(ex.pKontrol);
    QRegion frames;
    for (const QRect &r : {grid, score, control})
        frames += r.adjusted(-4, -4, 4, 4);
    const QRegion title(QRect(205, 0, 260, 32));
    const QRegion later = frames + title;

    QString m = templateMismatch(img, QRect(200, 0, W - 230, 35), tpl,
                                 [](int x, int y) { return QPoint(400 + x % 10, 122 + y); }, later);
    QVERIFY2(m.isEmpty(), qPrintable("top band: " + m));
    m = pieceMismatch(img, QPoint(0, 0), QRect(195, 122, 200, 72), tpl, later);
    QVERIFY2(m.isEmpty(), qPrintable("header left piece: " + m));
    m = pieceMismatch(img, QPoint(W - 30, 0), QRect(422, 122, 30, 46), tpl, later);
    QVERIFY2(m.isEmpty(), qPrintable("header right piece: " + m));
    m = templateMismatch(img, QRect(0, 72, 20, H - 112), tpl, [](int x, int y) { return QPoint(x, 260 + y % 10); }, later);
    QVERIFY2(m.isEmpty(), qPrintable("left edge: " + m));
    m = templateMismatch(img, QRect(W - 20, 46, 20, H - 86), tpl,
                         [&](int x, int y) { return QPoint(1260 + x - (W - 20), 260 + y % 10); }, later);
    QVERIFY2(m.isEmpty(), qPrintable("right edge: " + m));
    m = templateMismatch(img, QRect(40, H - 20, W - 80, 20), tpl,
                         [&](int x, int y) { return QPoint(50 + x % 10, 780 + y - (H - 20)); }, later);
    QVERIFY2(m.isEmpty(), qPrintable("bottom edge: " + m));
    m = pieceMismatch(img, QPoint(0, H - 40), QRect(0, 760, 40, 40), tpl, later);
    QVERIFY2(m.isEmpty(), qPrintable("bottom-left corner: " + m));
    m = pieceMismatch(img, QPoint(W - 40, H - 40), QRect(1240, 760, 40, 40), tpl, later);
    QVERIFY2(m.isEmpty(), qPrintable("bottom-right corner: " + m));

    for (const QRect &r : {score, control, grid}) {
        m = panelFrameMismatch(img, tpl, r.x(), r.y(), r.width(), r.height());
        QVERIFY2(m.isEmpty(), qPrintable(QStringLiteral("frame at (%1,%2): ").arg(r.x()).arg(r.y()) + m));
    }
    // Two rows of background between the score panel's frame and the control panel's.
    m = colourMismatch(img, QRect(score.x() - 4, 119, score.width() + 8, 2), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("rows 119 and 120: " + m));
    // Inside the frames, past the corners' reach, nothing but the cleared background.
    m = colourMismatch(img, control.adjusted(6, 6, -6, -6), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("inside the control panel: " + m));
    m = colourMismatch(img, QRect(grid.right() + 5, 72, score.x() - grid.right() - 9, H - 112), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("between grid and panels: " + m));
}

void TestExercisePainting::resizeWhileMinimisedDoesNothing()
{
    TestWorld world;
    world.startWindow();
    coded_ = std::make_unique<CodedTemplate>();
    ExerciseWindow &ex = world.openExercise(true);
    ex.setWindowStateTo(Form::Minimized);
    QCOMPARE(ex.WindowState(), Form::Minimized);
    const QImage before = ex.persistentImage().copy();
    const QRect score = rectOf(ex.pScore), control = rectOf(ex.pKontrol), grid = rectOf(ex.gSoru);
    const QRect back = rectOf(ex.btnBack);

    ex.Move(ex.Left(), ex.Top(), ex.Width() - 100 * 15, ex.Height() - 50 * 15);
    QCOMPARE(ex.ScaleWidth(), 1180);
    QCOMPARE(rectOf(ex.pScore), score);
    QCOMPARE(rectOf(ex.pKontrol), control);
    QCOMPARE(rectOf(ex.gSoru), grid);
    QCOMPARE(rectOf(ex.btnBack), back);
    QCOMPARE(ex.persistentImage(), before.copy(0, 0, 1180, 725));

    // Restored, it lays itself out for the size it now has.
    ex.setWindowStateTo(Form::Normal);
    QCOMPARE(rectOf(ex.gSoru), QRect(40, 70, 625, 625));
    QCOMPARE(rectOf(ex.pScore), QRect(695, 70, 445, 45));
    QCOMPARE(rectOf(ex.btnBack), QRect(1005, 645, 140, 50));
    QVERIFY(ex.persistentImage() != before.copy(0, 0, 1180, 725));
}

void TestExercisePainting::layoutPassIsRepeatable()
{
    TestWorld world;
    world.startWindow();
    coded_ = std::make_unique<CodedTemplate>();
    ExerciseWindow &ex = world.openExercise(true);
    const QImage first = ex.persistentImage().copy();
    const QRect score = rectOf(ex.pScore), control = rectOf(ex.pKontrol), back = rectOf(ex.btnBack);
    const QPointF check(ex.btnCheck.Left(), ex.btnCheck.Top());

    // Leave something behind in the persistent image: the next pass clears it.
    ex.setAutoRedraw(true);
    copyFromTemplate(ex, 300, 300, 200, 200, 500, 400);
    ex.setAutoRedraw(false);
    QVERIFY(ex.persistentImage() != first);
    ex.drawExerciseScreen();
    QCOMPARE(ex.persistentImage(), first);
    ex.drawExerciseScreen();
    QCOMPARE(ex.persistentImage(), first);
    QCOMPARE(rectOf(ex.pScore), score);
    QCOMPARE(rectOf(ex.pKontrol), control);
    QCOMPARE(rectOf(ex.btnBack), back);
    QCOMPARE(QPointF(ex.btnCheck.Left(), ex.btnCheck.Top()), check);
}

void TestExercisePainting::scoreLabelsFollowChecksAndResizesButNotReset()
{
    TestWorld world;
    ExerciseWindow &ex = world.openExercise(false);
    // Wider than the screen's window, so that the row as laid out fits after a check of
    // more than a minute (narrower rows shrink their fonts instead).
    ex.Move(ex.Left(), ex.Top(), ex.Width() + 60 * 15, ex.Height());
    QCOMPARE(ex.pScore->ScaleWidth(), 555);
    const auto expectRow = [&ex] {
        QCOMPARE(QPointF(ex.lbDeneme1.Left(), ex.lbDeneme1.Top()), QPointF(3, 14));
        QCOMPARE(QPointF(ex.lbDeneme2.Left(), ex.lbDeneme2.Top()), QPointF(3 + ex.lbDeneme1.Width() + 8, 14));
        QCOMPARE(QPointF(ex.lbDeneme3.Left(), ex.lbDeneme3.Top()),
                 QPointF(ex.lbDeneme2.Left() + ex.lbDeneme2.Width() + 8, 14));
        QCOMPARE(QPointF(ex.lbAverage.Left(), ex.lbAverage.Top()),
                 QPointF(ex.btnReset.Left() - ex.lbAverage.Width() - 20, 11));
        QCOMPARE(ex.btnReset.Left(), ex.pScore->ScaleWidth() - 90.0);
    };
    expectRow();
    const double restingWidth = ex.lbDeneme1.Width();

    // An attempt of 75.5 seconds: the first label's text grows.
    ex.btnStart_Click();
    world.clock().advance(75.5);
    ex.btnStart_Click();
    int sum = 0;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col)
            sum += ex.gSoru->textMatrix(row, col).toInt();
    ex.txtYourAnswer->setText(QString::number(sum));
    const double restingAverageWidth = ex.lbAverage.Width();
    ex.btnCheck_Click();
    QCOMPARE(ex.lbDeneme1.caption(), QStringLiteral("1st : ") + timetext::formatTime(75.5f));
    QCOMPARE(ex.lbAverage.caption(), QStringLiteral("TIME : ") + timetext::formatTime(75.5f));
    QVERIFY(ex.lbDeneme1.Width() > restingWidth);
    QVERIFY(ex.lbAverage.Width() > restingAverageWidth);
    expectRow();

    // A resize lays the row out again for the new width.
    ex.Move(ex.Left(), ex.Top(), ex.Width() + 60 * 15, ex.Height());
    QCOMPARE(ex.pScore->ScaleWidth(), 615);
    expectRow();

    // RESET changes the texts but not the places.
    const QPointF second(ex.lbDeneme2.Left(), ex.lbDeneme2.Top());
    const QPointF third(ex.lbDeneme3.Left(), ex.lbDeneme3.Top());
    const QPointF average(ex.lbAverage.Left(), ex.lbAverage.Top());
    const double averageWidth = ex.lbAverage.Width();
    ex.btnReset_Click();
    QCOMPARE(ex.lbDeneme1.caption(), QStringLiteral("1st : --:--"));
    QCOMPARE(ex.lbDeneme1.Width(), restingWidth);
    QCOMPARE(QPointF(ex.lbDeneme2.Left(), ex.lbDeneme2.Top()), second);
    QCOMPARE(QPointF(ex.lbDeneme3.Left(), ex.lbDeneme3.Top()), third);
    QCOMPARE(QPointF(ex.lbAverage.Left(), ex.lbAverage.Top()), average);
    QCOMPARE(ex.lbAverage.Width(), restingAverageWidth);
    QVERIFY(ex.lbAverage.Width() < averageWidth);
    QVERIFY(ex.lbDeneme2.Left() != 3 + ex.lbDeneme1.Width() + 8);
}

void TestExercisePainting::layoutStepsInOrder_data()
{
    using Step = exerciseScreen::LayoutStep;
    QTest::addColumn<QStringList>("disturbed");
    QTest::addColumn<QList<Step>>("steps");

    const QList<Step> moves{Step::FrameAndTitle, Step::Grid, Step::ScorePanel, Step::ControlPanel, Step::BackButton,
                            Step::PanelFrames};
    QTest::newRow("nothing changed: moves only") << QStringList{} << moves;
    QTest::newRow("score panel resized: RESET, then the labels")
        << QStringList{"pScore"}
        << QList<Step>{Step::FrameAndTitle, Step::Grid, Step::ScorePanel, Step::ResetButton, Step::ScoreLabels,
                       Step::ControlPanel, Step::BackButton, Step::PanelFrames};
    QTest::newRow("control panel resized: its rows")
        << QStringList{"pKontrol"}
        << QList<Step>{Step::FrameAndTitle, Step::Grid, Step::ScorePanel, Step::ControlPanel, Step::ControlPanelRows,
                       Step::BackButton, Step::PanelFrames};
    QTest::newRow("Back resized: painted at rest")
        << QStringList{"btnBack"}
        << QList<Step>{Step::FrameAndTitle, Step::Grid, Step::ScorePanel, Step::ControlPanel, Step::BackButton,
                       Step::BackButtonResting, Step::PanelFrames};
    QTest::newRow("all three resized")
        << QStringList{"btnBack", "pKontrol", "pScore"}
        << QList<Step>{Step::FrameAndTitle, Step::Grid, Step::ScorePanel, Step::ResetButton, Step::ScoreLabels,
                       Step::ControlPanel, Step::ControlPanelRows, Step::BackButton, Step::BackButtonResting,
                       Step::PanelFrames};
}

void TestExercisePainting::layoutStepsInOrder()
{
    using Step = exerciseScreen::LayoutStep;
    QFETCH(QStringList, disturbed);
    QFETCH(QList<Step>, steps);

    TestWorld world;
    ExerciseWindow &ex = world.openExercise(false);
    // Something else changed a part's size (and put RESET far left): the next pass puts
    // the part back and lays it out in turn.
    ex.btnReset.Move(0, 0);
    if (disturbed.contains(QStringLiteral("pScore")))
        ex.pScore.Move(ex.pScore.Left(), ex.pScore.Top(), 400, 45);
    if (disturbed.contains(QStringLiteral("pKontrol")))
        ex.pKontrol.Move(ex.pKontrol.Left(), ex.pKontrol.Top(), 400, 300);
    if (disturbed.contains(QStringLiteral("btnBack")))
        ex.btnBack.Move(ex.btnBack.Left(), ex.btnBack.Top(), 100, 40);

    QList<Step> recorded;
    double resetLeftWhenArranged = -1;
    exerciseScreen::Parts parts = ex.screenParts();
    parts.recordStep = [&](Step step) {
        recorded << step;
        if (step == Step::ScoreLabels)
            resetLeftWhenArranged = ex.btnReset.Left();
    };
    exerciseScreen::draw(parts);

    QCOMPARE(recorded, steps);
    QCOMPARE(ex.pScore->ScaleWidth(), 495);
    if (disturbed.contains(QStringLiteral("pScore"))) {
        // The labels were arranged against RESET's new place: 495 - 90.
        QCOMPARE(resetLeftWhenArranged, 405.0);
        QCOMPARE(ex.lbAverage.Left() + ex.lbAverage.Width(), 405.0 - 20);
    } else {
        QCOMPARE(ex.btnReset.Left(), 0.0);
    }
    QCOMPARE(QSizeF(ex.btnBack.Width(), ex.btnBack.Height()), QSizeF(140, 50));
}

void TestExercisePainting::labelTextColours_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<QColor>("under");   // what the label's text is drawn over
    QTest::newRow("average") << "lbAverage" << QColor(192, 0, 0) << QColor(192, 192, 255);
    QTest::newRow("web address") << "lbKucukURL" << QColor(0, 0, 0) << QColor(255, 255, 255);
    QTest::newRow("web address shadow") << "lbKucukURLGolge" << QColor(207, 207, 207) << QColor(255, 255, 255);
}

// The label as it draws itself: where the text covers a pixel wholly it has the text's
// colour, and every other pixel is a blend of that colour and what lies under the text.
void TestExercisePainting::labelTextColours()
{
    QFETCH(QString, label);
    QFETCH(QColor, ink);
    QFETCH(QColor, under);
    TestWorld world;
    ExerciseWindow &ex = world.openExercise(false);
    StartWindow &main = windows::frmMain();
    QWidget *widget = label == "lbAverage" ? static_cast<QWidget *>(ex.lbAverage.get())
                    : label == "lbKucukURL" ? static_cast<QWidget *>(main.lbKucukURL.get())
                                            : static_cast<QWidget *>(main.lbKucukURLGolge.get());
    QImage img(widget->size(), QImage::Format_RGB32);
    img.fill(under);
    widget->render(&img);

    const auto between = [](int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); };
    bool inkSeen = false;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            inkSeen |= p == ink;
            QVERIFY2(between(p.red(), ink.red(), under.red()) && between(p.green(), ink.green(), under.green())
                         && between(p.blue(), ink.blue(), under.blue()),
                     qPrintable(QStringLiteral("(%1,%2) is %3, not between the text colour %4 and %5")
                                    .arg(x).arg(y).arg(p.name(), ink.name(), under.name())));
        }
    }
    QVERIFY2(inkSeen, qPrintable("no pixel in the text colour " + ink.name()));
}

// On the 1024-wide window the described score row would overlap: it shrinks instead, so
// RESET stays whole and clickable and no label lies under it or under another.
void TestExercisePainting::narrowScoreRowKeepsResetWholeAndClickable()
{
    TestWorld world(1024, 768);
    ExerciseWindow &ex = world.openExercise(false);
    QWidget *panel = ex.pScore.get();
    const QRect reset = ex.btnReset->geometry();
    const QRect average = ex.lbAverage->geometry();
    const QRect third = ex.lbDeneme3->geometry();
    QVERIFY(!average.intersects(third));
    QVERIFY(!third.intersects(reset));
    QVERIFY(!average.intersects(reset));
    for (int x = reset.left(); x <= reset.right(); x += 4)
        QCOMPARE(panel->childAt(x, reset.center().y()), ex.btnReset.get());
    for (int x = average.left(); x <= average.right(); ++x)
        QCOMPARE(panel->childAt(QPoint(x, average.center().y())), ex.lbAverage.get());
}

void TestExercisePainting::recordStaysReadableInTheFreeArea_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("freeArea");
    QTest::newRow("1280 x 800, 28-pixel panel at the top") << QSize(1280, 800) << QRect(0, 28, 1280, 772);
    QTest::newRow("1366 x 768, 28-pixel panel at the top") << QSize(1366, 768) << QRect(0, 28, 1366, 740);
    QTest::newRow("1024 x 768, 24-pixel panel at the bottom") << QSize(1024, 768) << QRect(0, 0, 1024, 744);
}

// The screens and panels people have: the exercise window keeps every control whole inside
// itself, and through attempts of the usual lengths (under ten minutes) the record's texts
// stay at least 11 pixels high, a label whose text stays keeping its size.
void TestExercisePainting::recordStaysReadableInTheFreeArea()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, freeArea);
    TestWorld world(screen.width(), screen.height());
    world.setWorkArea(freeArea);
    ExerciseWindow &ex = world.openExercise(false);
    QVERIFY(freeArea.contains(ex.geometry()));
    for (QWidget *control : ex.findChildren<QWidget *>()) {
        if (control->isVisible() && control->parentWidget()->isVisible())
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()),
                     qPrintable(QStringLiteral("%1 in %2: %3,%4 %5x%6 outside %7x%8").arg(QString::fromLatin1(control->metaObject()->className()), QString::fromLatin1(control->parentWidget()->metaObject()->className())).arg(control->x()).arg(control->y()).arg(control->width()).arg(control->height()).arg(control->parentWidget()->width()).arg(control->parentWidget()->height())));
    }

    const std::array<SelfSizingLabel *, 4> labels{&ex.lbDeneme1, &ex.lbDeneme2, &ex.lbDeneme3, &ex.lbAverage};
    const auto pixels = [](SelfSizingLabel *label) { return QFontInfo(label->get()->font()).pixelSize(); };
    std::array<QString, 4> texts;
    std::array<int, 4> sizes;
    for (int i = 0; i < 4; ++i) {
        texts[i] = labels[i]->caption();
        sizes[i] = pixels(labels[i]);
    }
    // A short attempt, one of over a minute, one of nearly ten, then a fourth that takes
    // the place of the first.
    for (const double seconds : {4.44, 75.5, 598.76, 9.99}) {
        ex.btnStart_Click();
        world.clock().advance(seconds);
        ex.btnStart_Click();
        int sum = 0;
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 10; ++col)
                sum += ex.gSoru->textMatrix(row, col).toInt();
        ex.txtYourAnswer->setText(QString::number(sum));
        ex.btnCheck_Click();
        for (int i = 0; i < 4; ++i) {
            const QString text = labels[i]->caption();
            const int size = pixels(labels[i]);
            QVERIFY2(size >= 11, qPrintable(QStringLiteral("\"%1\" at %2 px").arg(text).arg(size)));
            if (text == texts[i])
                QVERIFY2(size == sizes[i], qPrintable(QStringLiteral("\"%1\" went from %2 to %3 px after %4 s")
                                                          .arg(text).arg(sizes[i]).arg(size).arg(seconds)));
            QVERIFY2(ex.pScore->rect().contains(labels[i]->get()->geometry()), qPrintable(text + " is cut off"));
            texts[i] = text;
            sizes[i] = size;
        }
        ex.btnKaristir_Click();
        ex.btnKaristir_Click();
    }
}

QTEST_MAIN(TestExercisePainting)
#include "tst_exercisepainting.moc"
