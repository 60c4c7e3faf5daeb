// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the offscreen platform: layout, start-up, the n selector, example buttons,
// hover help, menu, drawings on screen, and the gap search with events pumped in between.
#include "analysis/representations.h"
#include "app/form1.h"
#include "present/bar_diagram.h"
#include "present/report.h"
#include "quiet_offscreen.h"
#include "report_lines.h"
#include "scroll_bar_parts.h"
#include "ui/core/conversions.h"
#include "ui/desktop.h"
#include "ui/image_surface.h"
#include "ui/messages.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "wait_compare.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>

using namespace kv;
using kv::testing::reportLines;
using kv::testing::scrollBarPart;

namespace {

QString reportOf(int n)
{
    auto table = std::make_unique<Representations>();
    const std::string txtN = Str(n);
    analyse(*table, txtN, nullptr);
    QString text = QString::fromStdString(reportText(*table, txtN));
    return text;
}

struct Message {
    MessageKind kind;
    QString title, text;
};

// Records message boxes instead of showing them.
struct MessageRecorder {
    std::vector<Message> shown;
    MessageRecorder()
    {
        setMessageHook([this](MessageKind k, const QString& t, const QString& x) {
            shown.push_back({ k, t, x });
        });
    }
    ~MessageRecorder() { setMessageHook({}); }
};

bool sameColor(QColor a, Rgb b)
{
    return (a.rgb() & 0xFFFFFF) == b;
}

// The colour that covers most of a picture (its background), and the darkest one in it.
QRgb mostCommonColor(const QImage& image)
{
    std::map<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[image.pixel(x, y) & 0xFFFFFF];
    return std::max_element(count.begin(), count.end(), [](auto& a, auto& b) {
        return a.second < b.second;
    })->first;
}

int darkestGray(const QImage& image)
{
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1> w;
    QPalette desktopPalette; // what the toolkit offered before the application's set-up

    void settle() { QCoreApplication::processEvents(); }

    // The colour on screen at a point of the diagram's user scale, read from a grab of the
    // window at its device pixel ratio.
    QColor diagramPixel(double x, double y, const QImage& shot)
    {
        const QRect inner = w->controls().picausgabe->contentsRect();
        const QPointF local(
            inner.left() + (x + 3) * inner.width() / 503.0, inner.top() + y * inner.height() / 7.0);
        const QPointF at = QPointF(w->controls().picausgabe->mapTo(w.get(), QPoint(0, 0))) + local;
        const qreal dpr = shot.devicePixelRatio();
        return shot.pixelColor(int(at.x() * dpr), int(at.y() * dpr));
    }

    static QString accessible(QWidget* widget, QAccessible::Text what)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(what) : QString();
    }

private slots:
    void initTestCase()
    {
        kv::testing::dropOffscreenSizeHintWarning();
        desktopPalette = QApplication::palette();
        QVERIFY(setUpApplication(*qApp));
    }

    void init()
    {
        w = std::make_unique<Form1>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsRect");
        const struct {
            const char* name;
            int l, t, w, h;
        } controls[] = {
            { "txtAusgabe", 8160, 5400, 7212, 3252 },
            { "cmdMinus", 7680, 8040, 252, 252 },
            { "cmdPlus", 7680, 7800, 252, 252 },
            { "txtLuecke", 7080, 7800, 612, 504 },
            { "cmdSuche", 6360, 7080, 1572, 492 },
            { "Picture1", 2040, 6600, 5892, 252 },
            { "Frame1", 360, 6960, 5772, 1692 },
            { "cmd15", 120, 240, 612, 612 },
            { "cmd27", 120, 960, 612, 612 },
            { "cmd30", 1080, 240, 612, 612 },
            { "cmd45", 2040, 240, 612, 612 },
            { "cmd75", 2040, 960, 612, 612 },
            { "cmd90", 3000, 240, 612, 612 },
            { "cmd105", 3000, 960, 612, 612 },
            { "cmd128", 3960, 240, 612, 612 },
            { "cmd150", 3960, 960, 612, 612 },
            { "cmd945", 4920, 240, 612, 612 },
            { "cmd32", 1080, 960, 612, 612 },
            { "cmd1365", 4920, 960, 612, 612 },
            { "txthilfe", 360, 8880, 15012, 432 },
            { "picZeichenblatt", 360, 5400, 7572, 552 },
            { "txtN", 360, 6120, 1692, 732 },
            { "HScroll2", 2040, 6120, 5892, 492 },
            { "HScroll1", 360, 4800, 15012, 372 },
            { "picContainer", 360, 360, 15012, 4452 },
            { "Label3", 6360, 8400, 1572, 252 },
            { "Label1", 6360, 7920, 732, 372 },
        };
        for (const auto& c : controls)
            QTest::newRow(c.name) << c.name << QRect(c.l, c.t, c.w, c.h);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsRect);
        QCOMPARE(twips::perPixel(), 15.0); // 96 dpi
        auto* control = w->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
            QRect(twipsRect.left() / 15, twipsRect.top() / 15, 0, 0)
                .adjusted(0, 0,
                    qRound((twipsRect.left() + twipsRect.width()) / 15.0) - twipsRect.left() / 15,
                    qRound((twipsRect.top() + twipsRect.height()) / 15.0) - twipsRect.top() / 15));
    }

    void windowAndSpecialControls()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Kalvoster"));
        QCOMPARE(w->centralWidget()->size(), QSize(qRound(15516 / 15.0), qRound(9468 / 15.0)));
        QVERIFY(!w->windowIcon().isNull());
        QVERIFY(w->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(w->windowIcon().availableSizes().contains(QSize(32, 32)));
        // The diagram is much wider than its viewport, the container's inner area, and starts at
        // its left edge.
        QWidget* viewport = w->controls().picausgabe->parentWidget();
        QCOMPARE(viewport->parentWidget(), w->controls().picContainer);
        QCOMPARE(viewport->geometry(), w->controls().picContainer->contentsRect());
        QCOMPARE(w->controls().picausgabe->size(), twips::rect(0, 0, 56000, 4572).size());
        QCOMPARE(w->controls().picausgabe->pos(), QPoint(0, 0));
        // The separating line from (8040, 5400) to (8040, 8640).
        QCOMPARE(w->controls().Line2->geometry(), QRect(536, 360, 1, 216));
        // Menu commands act at once: no drop-down lists.
        QCOMPARE(w->controls().cmdEnde->text(), QStringLiteral("Programm beenden"));
        QCOMPARE(w->controls().cmdInfo->text(), QStringLiteral("i"));
        QVERIFY(!w->controls().cmdEnde->menu() && !w->controls().cmdInfo->menu());
    }

    void captionsFontsAndColours()
    {
        const struct {
            const char* name;
            const char* caption;
            double points;
        } buttons[] = { { "cmd15", "15", 12 }, { "cmd1365", "1365", 12 },
            { "cmdSuche", "Suche bis", 10.2 } };
        for (const auto& b : buttons) {
            auto* button = w->findChild<QPushButton*>(b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.caption));
            QCOMPARE(button->font().pointSizeF(), b.points);
            QVERIFY(sameColor(button->palette().color(QPalette::Button), 0xFFFF00));
            QVERIFY(sameColor(button->palette().color(QPalette::ButtonText), 0x000000));
        }
        for (QPushButton* b : { w->controls().cmdPlus, w->controls().cmdMinus })
            QVERIFY(sameColor(b->palette().color(QPalette::Button), 0xFFFF00));
        QCOMPARE(w->controls().Label1->text(), QStringLiteral("Lücke"));
        QCOMPARE(w->controls().Label3->text(), QStringLiteral("vorkommt."));
        QCOMPARE(w->controls().txtN->font().pointSizeF(), 28.2);
        QCOMPARE(w->controls().txtAusgabe->font().pointSizeF(), 13.8);
        QCOMPARE(w->controls().txthilfe->font().pointSizeF(), 13.8);
        QVERIFY(w->controls().picZeichenblatt->font().bold());
        const QString family = QFontInfo(w->controls().txtN->font()).family();
        QVERIFY2(family == QLatin1String("Liberation Serif")
                || family == QLatin1String("Times New Roman"),
            qPrintable(family));
        QVERIFY(sameColor(w->controls().txtN->palette().color(QPalette::Base), 0xFFFF00));
        QVERIFY(sameColor(w->controls().txtN->palette().color(QPalette::Text), 0x000000));
        QVERIFY(sameColor(w->controls().txthilfe->palette().color(QPalette::Base), 0xFFFFC0));
        QCOMPARE(w->controls().picausgabe->backColor(), 0xE0E0E0u);
        QCOMPARE(w->controls().picZeichenblatt->backColor(), 0xFFFFFFu);
        QCOMPARE(w->controls().Picture1->backColor(), 0xFFFF00u);
        // The viewport shows the standard colour where the panned diagram leaves it bare.
        QCOMPARE(w->controls().picContainer->backColor(),
            Rgb(w->palette().color(QPalette::Window).rgb() & 0xFFFFFF));
        QVERIFY(w->controls().txtN->isReadOnly());
        QCOMPARE(w->controls().txtN->alignment(), Qt::AlignCenter);
        QCOMPARE(w->controls().txtAusgabe->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(w->controls().HScroll2->minimum(), 1);
        QCOMPARE(w->controls().HScroll2->maximum(), 1365);
        QCOMPARE(w->controls().HScroll1->maximum(), 24000);
    }

    void focusOrder()
    {
        const QStringList expected { "picContainer", "HScroll1", "picausgabe", "HScroll2", "txtN",
            "picZeichenblatt", "txthilfe", "cmd1365", "cmd32", "cmd945", "cmd150", "cmd128",
            "cmd105", "cmd90", "cmd75", "cmd45", "cmd30", "cmd27", "cmd15", "Picture1", "cmdSuche",
            "txtLuecke", "cmdPlus", "cmdMinus", "txtAusgabe" };
        QStringList seen;
        QWidget* at = w->controls().picContainer;
        do {
            if (expected.contains(at->objectName()) && (at->focusPolicy() & Qt::TabFocus))
                seen << at->objectName();
            at = at->nextInFocusChain();
        } while (at != w->controls().picContainer);
        QCOMPARE(seen, expected);
        QCOMPARE(w->controls().Frame1->focusPolicy(), Qt::NoFocus);
    }

    void startUpState()
    {
        QCOMPARE(w->controls().txtN->text(), QStringLiteral("15"));
        QCOMPARE(w->controls().txtAusgabe->text(), QStringLiteral("Ergebnisse\r\n"));
        QCOMPARE(w->controls().txthilfe->text(), QStringLiteral("Hilfe"));
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral("0"));
        QCOMPARE(w->controls().HScroll2->value(), 15);
        for (PictureBox* p : { w->controls().picausgabe, w->controls().picZeichenblatt }) {
            QImage empty(p->image().size(), QImage::Format_RGB32);
            empty.fill(QColor::fromRgb(p->backColor()));
            QVERIFY2(p->image().convertToFormat(QImage::Format_RGB32) == empty,
                qPrintable(p->objectName()));
        }
    }

    void exampleButtons()
    {
        QTest::mouseClick(w->controls().cmd15, Qt::LeftButton); // already 15: nothing happens
        QCOMPARE(w->controls().txtN->text(), QStringLiteral("15"));
        QCOMPARE(w->controls().txtAusgabe->text(), QStringLiteral("Ergebnisse\r\n"));

        QTest::mouseClick(w->controls().cmd27, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(27)));
        QCOMPARE(w->table().Anzahl, 4);

        QTest::mouseClick(w->controls().cmd1365, Qt::LeftButton);
        QCOMPARE(w->controls().HScroll2->value(), w->controls().HScroll2->maximum());
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));

        QTest::mouseClick(w->controls().cmd15, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 15"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(15)));
    }

    void assignmentRaisesChangeOnlyForARealChange()
    {
        QSignalSpy change(w->controls().HScroll2, &ScrollBar::Change);
        w->controls().HScroll2->setValue(15);
        QCOMPARE(change.count(), 0);
        w->controls().HScroll2->setValue(16);
        QCOMPARE(change.count(), 1);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 16")); // synchronously
    }

    void dragRunsTheSequenceForEveryStep()
    {
        QSignalSpy scroll(w->controls().HScroll2, &ScrollBar::Scroll);
        QStringList shown;
        connect(w->controls().HScroll2, &ScrollBar::Scroll, this,
            [&] { shown << w->controls().txtN->text(); });
        w->controls().HScroll2->setSliderDown(true);
        for (int v = 16; v <= 20; ++v)
            w->controls().HScroll2->setSliderPosition(v);
        w->controls().HScroll2->setSliderDown(false);
        QCOMPARE(scroll.count(), 5);
        QCOMPARE(shown, (QStringList { " 16", " 17", " 18", " 19", " 20" })); // each ran to the end
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 20"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(20)));
    }

    void arrowsTroughAndKeysMoveByOne()
    {
        ScrollBar* bar = w->controls().HScroll2;
        QTest::mouseClick(bar, Qt::LeftButton, {}, scrollBarPart(bar, QStyle::SC_ScrollBarAddLine));
        QCOMPARE(bar->value(), 16);
        QTest::mouseClick(bar, Qt::LeftButton, {}, scrollBarPart(bar, QStyle::SC_ScrollBarSubLine));
        QCOMPARE(bar->value(), 15);
        QTest::mouseClick(bar, Qt::LeftButton, {}, scrollBarPart(bar, QStyle::SC_ScrollBarAddPage));
        QCOMPARE(bar->value(), 16);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), 17);
        QTest::keyClick(bar, Qt::Key_Left);
        QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(bar->value(), 15);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 15"));
        bar->setLayoutDirection(Qt::RightToLeft); // Right still raises
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->value(), 16);
    }

    void oneLightLookUnderEveryDesktopTheme()
    {
        if (qEnvironmentVariableIsSet("KV_DARK_DESKTOP")) {
            // Run under a dark desktop theme: prove that it was in force.
            QVERIFY2(desktopPalette.color(QPalette::Window).lightness() < 100,
                qPrintable(desktopPalette.color(QPalette::Window).name()));
        } else {
            // Without a desktop theme the light look is what the toolkit shows anyway, so the
            // window's pixels are those it always had.
            const QPalette light = lightPalette();
            for (int g = 0; g < QPalette::NColorGroups; ++g)
                for (int r = 0; r < QPalette::NColorRoles; ++r) {
                    const QColor ours
                        = light.color(QPalette::ColorGroup(g), QPalette::ColorRole(r));
                    const QColor toolkits
                        = desktopPalette.color(QPalette::ColorGroup(g), QPalette::ColorRole(r));
                    const QString where = QStringLiteral("group %1, role %2: %3, toolkit %4");
                    QVERIFY2(ours.rgba() == toolkits.rgba(),
                        qPrintable(where.arg(g).arg(r).arg(
                            ours.name(QColor::HexArgb), toolkits.name(QColor::HexArgb))));
                }
        }
        QCOMPARE(QApplication::palette(), lightPalette());
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        // The toolkit's own texts (menu, message boxes) in a proportional face, which a minimal
        // system lacks unless the set-up installs one.
        const QFontInfo menuFont(w->menuBar()->font());
        QVERIFY2(!menuFont.fixedPitch(), qPrintable(menuFont.family()));

        w->controls().HScroll2->setValue(27);
        const auto background = [](QWidget* widget) {
            return QColor::fromRgb(mostCommonColor(widget->grab().toImage())).name();
        };
        QCOMPARE(background(w->menuBar()), QStringLiteral("#efefef"));
        QCOMPARE(background(w->controls().Label1), QStringLiteral("#efefef"));
        QCOMPARE(background(w->controls().Frame1), QStringLiteral("#efefef"));
        QCOMPARE(background(w->controls().txtAusgabe), QStringLiteral("#ffffff"));
        QCOMPARE(background(w->controls().txtLuecke), QStringLiteral("#ffffff"));
        QCOMPARE(background(w->controls().txthilfe), QStringLiteral("#ffffc0"));
        for (QWidget* text : std::initializer_list<QWidget*> { w->menuBar(), w->controls().Label1,
                 w->controls().Label3, w->controls().txtAusgabe, w->controls().txtLuecke,
                 w->controls().txthilfe })
            QVERIFY2(darkestGray(text->grab().toImage()) < 60, qPrintable(text->objectName()));

        // The n scroll bar's thumb: a button-grey face with its dark bevel, on the dithered trough.
        const QPoint thumb = scrollBarPart(w->controls().HScroll2, QStyle::SC_ScrollBarSlider);
        const QImage bar = w->controls().HScroll2->grab().toImage();
        const qreal dpr = bar.devicePixelRatio();
        QCOMPARE(bar.pixelColor(int(thumb.x() * dpr), int(thumb.y() * dpr)).name(),
            QStringLiteral("#efefef"));
        QVERIFY(darkestGray(bar) < 80);
    }

    void theDesktopKnowsTheProgramByItsEntry()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.kalvoster.Kalvoster"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Kalvoster"));
        QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
        QVERIFY(app);
        QCOMPARE(app->text(QAccessible::Name), QStringLiteral("Kalvoster"));
    }

    // Only the form, Frame1, the two drawings, Picture1 and txtN show help; the pointer over any
    // other control leaves the help line as it is, even though the form lies below it.
    void pointerOverOtherControlsLeavesTheHelpLine_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* name : { "cmd15", "cmd1365", "cmdSuche", "cmdPlus", "cmdMinus", "HScroll1",
                 "HScroll2", "Label1", "Label3", "txtLuecke", "txtAusgabe", "txthilfe" })
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void pointerOverOtherControlsLeavesTheHelpLine()
    {
        QFETCH(QString, control);
        auto* widget = w->findChild<QWidget*>(control);
        QVERIFY(widget);
        QTest::mouseMove(w->controls().Form, QPoint(2, 2)); // the form shows its help
        KV_TRY_COMPARE(w->controls().txthilfe->text().left(12), QStringLiteral("Das Programm"));
        w->controls().txthilfe->setText(QStringLiteral("Hilfe"));
        for (const QPoint at : { QPoint(3, 3), widget->rect().center() })
            QTest::mouseMove(widget, at);
        settle();
        QCOMPARE(w->controls().txthilfe->text(), QStringLiteral("Hilfe"));
    }

    void hoverHelp()
    {
        QTest::mouseMove(w->controls().picZeichenblatt, QPoint(20, 10));
        KV_TRY_COMPARE(w->controls().txthilfe->text(), QStringLiteral("Primfaktorzerlung von n"));
        QTest::mouseMove(w->controls().cmd15, QPoint(5, 5)); // a button has no help: the line stays
        settle();
        QCOMPARE(w->controls().txthilfe->text(), QStringLiteral("Primfaktorzerlung von n"));
        QTest::mouseMove(w->controls().Frame1,
            QPoint(w->controls().Frame1->width() / 2, 6)); // above the buttons
        KV_TRY_COMPARE(w->controls().txthilfe->text(), QStringLiteral("interessante Beispiele"));
        QTest::mouseMove(w->controls().txtN, QPoint(10, 10));
        KV_TRY_COMPARE(w->controls().txthilfe->text(), QStringLiteral("Die Zahl n"));
        QTest::mouseMove(w->controls().Picture1, QPoint(10, 5));
        KV_TRY_COMPARE(w->controls().txthilfe->text(),
            QStringLiteral("n bitte mit Hilfe des Scrollbalken einstellen"));
        const QString formHelp
            = QStringLiteral("Das Programm ermittelt alle Darstellungen von n als Summe "
                             "aufeinanderfolgender natürlicher Zahlen");
        QTest::mouseMove(w->controls().picausgabe, QPoint(50, 50));
        KV_TRY_COMPARE(w->controls().txthilfe->text(), formHelp);
        w->controls().txthilfe->setText(QStringLiteral("Hilfe"));
        QTest::mouseMove(w->centralWidget(),
            QPoint(
                w->controls().Line2->x(), w->controls().Line2->y() + 50)); // the line is no control
        KV_TRY_COMPARE(w->controls().txthilfe->text(), formHelp);
        w->controls().txthilfe->setText(QStringLiteral("Hilfe"));
        QTest::mouseMove(w->controls().Label1, QPoint(3, 3));
        QTest::mouseMove(w->controls().HScroll2, QPoint(30, 5));
        QTest::mouseMove(w->controls().txtAusgabe, QPoint(30, 30));
        settle();
        QCOMPARE(w->controls().txthilfe->text(), QStringLiteral("Hilfe"));
    }

    void informationBox()
    {
        w->controls().HScroll2->setValue(27);
        const QString report = w->controls().txtAusgabe->text();
        QString title, text;
        QMessageBox::Icon icon {};
        int buttons = 0;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        w->controls().cmdInfo->trigger();
        QCOMPARE(title, QStringLiteral("Programmiert von"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons, 1);
        QVERIFY(text.contains(QStringLiteral("Kalvoster")));
        QCOMPARE(w->controls().txtAusgabe->text(), report);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QVERIFY(!w->ending());
    }

    void programmBeendenEndsWithStatus0()
    {
        QTimer::singleShot(0, w->controls().cmdEnde, &QAction::trigger);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(w->ending());
        QVERIFY(w->isHidden());
    }

    void runtimeErrorIsShownAndEndsWithStatus1()
    {
        MessageRecorder boxes;
        w->controls().HScroll2->setMaximum(1457); // the first n whose pairs leave the histogram
        QTimer::singleShot(0, this, [&] { w->controls().HScroll2->setValue(1457); });
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].kind, MessageKind::Critical);
        QCOMPARE(boxes.shown[0].text,
            QStringLiteral("Laufzeitfehler '9':\n\nIndex außerhalb des gültigen Bereichs"));
        QVERIFY(w->ending());
    }

    // ---- accessibility and the toolkit's texts

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("txtN") << "txtN"
                              << "Die Zahl n";
        QTest::newRow("HScroll2") << "HScroll2"
                                  << "n einstellen";
        QTest::newRow("HScroll1") << "HScroll1"
                                  << "Diagramm verschieben";
        QTest::newRow("cmd945") << "cmd945"
                                << "Beispiel 945";
        QTest::newRow("cmdSuche") << "cmdSuche"
                                  << "Suche bis";
        QTest::newRow("cmdPlus") << "cmdPlus"
                                 << "Lücke um eins vergrößern";
        QTest::newRow("cmdMinus") << "cmdMinus"
                                  << "Lücke um eins verkleinern";
        QTest::newRow("txtLuecke") << "txtLuecke"
                                   << "Lücke";
        QTest::newRow("txtAusgabe") << "txtAusgabe"
                                    << "Ergebnisse";
        QTest::newRow("txthilfe") << "txthilfe"
                                  << "Hilfe";
        QTest::newRow("picausgabe") << "picausgabe"
                                    << "Balkendiagramm der Darstellungen von n";
        QTest::newRow("picZeichenblatt") << "picZeichenblatt"
                                         << "Primfaktorzerlegung von n";
    }
    void accessibleNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QCOMPARE(accessible(w->findChild<QWidget*>(control), QAccessible::Name), name);
    }

    void drawingsDescribeWhatTheyShow()
    {
        QCOMPARE(
            accessible(w->controls().picausgabe, QAccessible::Description), QStringLiteral("leer"));
        w->controls().HScroll2->setValue(16);
        w->controls().HScroll2->setValue(15);
        QCOMPARE(accessible(w->controls().picausgabe, QAccessible::Description),
            QStringLiteral("4 Darstellungen: 1 bis 5, 4 bis 6, 7 bis 8, 15"));
        QCOMPARE(accessible(w->controls().picZeichenblatt, QAccessible::Description),
            QStringLiteral("15 = 3 hoch 1 mal 5 hoch 1"));
        w->controls().HScroll2->setValue(1);
        QCOMPARE(accessible(w->controls().picausgabe, QAccessible::Description),
            QStringLiteral("1 Darstellung: 1"));
        QCOMPARE(accessible(w->controls().picZeichenblatt, QAccessible::Description),
            QStringLiteral("1 hat keine Primfaktoren"));
    }

    // ---- keyboard and focus

    // The focus starts in the diagram's window; Tab goes round every stop, out of the report box
    // too, and Shift+Tab goes back the same way.
    void tabGoesRoundEveryControl()
    {
        const QStringList expected { "HScroll1", "picausgabe", "HScroll2", "txtN",
            "picZeichenblatt", "txthilfe", "cmd1365", "cmd32", "cmd945", "cmd150", "cmd128",
            "cmd105", "cmd90", "cmd75", "cmd45", "cmd30", "cmd27", "cmd15", "Picture1", "cmdSuche",
            "txtLuecke", "cmdPlus", "cmdMinus", "txtAusgabe", "picContainer" };
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->controls().picContainer));
        QStringList reached;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, expected);
        QCOMPARE(
            w->controls().txtAusgabe->text(), QStringLiteral("Ergebnisse\r\n")); // no tab typed

        QStringList back;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(QApplication::focusWidget()->objectName());
        }
        QStringList expectedBack = expected;
        expectedBack.move(expectedBack.size() - 1, 0); // from picContainer back round to itself
        QCOMPARE(back, expectedBack);
    }

    void keysClickAFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void keysClickAFocusedButton()
    {
        QFETCH(int, key);
        w->controls().cmd945->setFocus();
        QTest::keyClick(w->controls().cmd945, Qt::Key(key));
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 945"));
        w->controls().cmdPlus->setFocus();
        QTest::keyClick(w->controls().cmdPlus, Qt::Key(key));
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral(" 1"));
    }

    // Every stop of the keyboard shows the focus, on its border or just inside it; for the
    // diagram, in the part that can be seen.
    void focusCanBeSeenOnEveryStop_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* name : { "picContainer", "HScroll1", "picausgabe", "HScroll2", "txtN",
                 "picZeichenblatt", "txthilfe", "cmd1365", "cmd15", "Picture1", "cmdSuche",
                 "txtLuecke", "cmdPlus", "cmdMinus", "txtAusgabe" })
            QTest::newRow(name) << name;
    }
    void focusCanBeSeenOnEveryStop()
    {
        QFETCH(QString, control);
        auto* widget = w->findChild<QWidget*>(control);
        QVERIFY(widget);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->controls().HScroll2->setValue(1365);
        // Seen where the user sees it: the diagram through its container.
        QWidget* seen = widget == w->controls().picausgabe ? w->controls().picContainer : widget;
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        settle();
        const QImage without = seen->grab().toImage();
        widget->setFocus(Qt::TabFocusReason);
        settle();
        QVERIFY(widget->hasFocus());
        const QImage with = seen->grab().toImage();
        QVERIFY2(with != without, "the focus cannot be seen");
        // The drawings themselves stay as they are.
        if (auto* box = qobject_cast<PictureBox*>(widget)) {
            const QImage picture = box->image();
            widget->clearFocus();
            QCOMPARE(box->image(), picture);
        }
    }

    // The diagram is clipped to the inner area of its container: the container's sunken border
    // stays whole at every panning position, and the pointer on it leaves the help line alone.
    void diagramStaysInsideItsContainer()
    {
        PictureBox* container = w->controls().picContainer;
        w->controls().txtLuecke->setFocus(); // no focus frame
        w->controls().HScroll2->setValue(1365);
        const QImage border = [&] { // the container's border with nothing in it
            PictureBox empty(QStringLiteral("empty"), w.get());
            empty.setGeometry(container->geometry());
            return empty.grab().toImage();
        }();
        const auto ring = [](const QImage& image) {
            const qreal dpr = image.devicePixelRatio();
            const int edge = qCeil(2 * dpr);
            QImage copy = image.convertToFormat(QImage::Format_RGB32);
            copy.setDevicePixelRatio(1);
            QImage inner(copy.size() - QSize(2 * edge, 2 * edge), QImage::Format_RGB32);
            inner.fill(Qt::magenta);
            QPainter(&copy).drawImage(edge, edge, inner); // everything but the ring
            return copy;
        };
        for (int value : { 0, 8, 2000, 24000 }) {
            w->controls().HScroll1->setValue(value);
            settle();
            QVERIFY2(ring(container->grab().toImage()) == ring(border),
                qPrintable(QStringLiteral("HScroll1 = %1").arg(value)));
        }
        // Past the diagram's right end, the bare inner area is the container's too.
        for (const QPoint at : { QPoint(0, container->height() / 2),
                 QPoint(container->width() - 2, container->height() / 2),
                 QPoint(container->width() / 2, container->height() - 2),
                 QPoint(container->width() - 20, 50) }) {
            w->controls().txthilfe->setText(QStringLiteral("Hilfe"));
            QTest::mouseMove(container, at);
            settle();
            const QString where = QStringLiteral("pointer at %1, %2").arg(at.x()).arg(at.y());
            QVERIFY2(w->controls().txthilfe->text() == QStringLiteral("Hilfe"), qPrintable(where));
        }
        QTest::mouseMove(container, QPoint(100, 50)); // over the diagram
        KV_TRY_COMPARE(w->controls().txthilfe->text().left(12), QStringLiteral("Das Programm"));
    }

    // Rendered at every pixel ratio from 1 to 3, no device pixel of the window is left unpainted
    // (it would show black, or what was there before, on the screen).
    void everyPixelIsPaintedAtEveryScale()
    {
        w->controls().HScroll2->setValue(27);
        settle();
        for (int quarter = 4; quarter <= 12; ++quarter) {
            const qreal dpr = quarter / 4.0;
            QImage image((QSizeF(w->size()) * dpr).toSize(), QImage::Format_ARGB32);
            image.setDevicePixelRatio(dpr);
            const QRgb unpainted = qRgb(0xFF, 0x00, 0xFF);
            image.fill(unpainted);
            w->render(&image);
            QStringList where;
            for (int y = 0; y < image.height() && where.size() < 5; ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) == unpainted) {
                        QWidget* at = w->childAt(QPoint(int(x / dpr), int(y / dpr)));
                        where << QStringLiteral("(%1, %2) %3")
                                     .arg(x)
                                     .arg(y)
                                     .arg(at ? at->objectName() : QString());
                        break;
                    }
            QVERIFY2(where.isEmpty(),
                qPrintable(QStringLiteral("ratio %1: %2").arg(dpr).arg(where.join(", "))));
        }
    }

    // The command buttons' face is flat yellow inside a raised border that sinks when pressed.
    void flatCommandButtons()
    {
        QPushButton* b = w->controls().cmdSuche;
        w->controls().txtLuecke->setFocus(); // no focus frame on the button
        settle();
        const auto shot = [b] { return b->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage up = shot();
        const qreal dpr = up.devicePixelRatio();
        const int edge = qCeil(2 * dpr);
        // A row just inside the border, above the caption: all face.
        for (int x = edge; x < up.width() - edge; ++x)
            QCOMPARE(up.pixel(x, edge) & 0xFFFFFF, 0xFFFF00u);
        QCOMPARE(qGray(up.pixel(0, 0)), 255); // light top-left edge
        QVERIFY(qGray(up.pixel(up.width() - 1, up.height() - 1)) < 128); // dark bottom-right
        b->setDown(true);
        const QImage down = shot();
        b->setDown(false);
        QVERIFY(qGray(down.pixel(0, 0)) < 128); // sunk
        QCOMPARE(down.pixel(down.width() / 2, edge) & 0xFFFFFF, 0xFFFF00u);
    }

    void labelsSitTopLeft()
    {
        for (QLabel* label : { w->controls().Label1, w->controls().Label3 }) {
            QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            // The first row with text lies in the upper part of the box.
            const QImage image = label->grab().toImage();
            int first = -1;
            for (int y = 0; y < image.height() && first < 0; ++y)
                for (int x = 0; x < image.width() / 2; ++x)
                    if (qGray(image.pixel(x, y)) < 100) {
                        first = y;
                        break;
                    }
            QVERIFY(first >= 0 && first < image.height() / 3);
        }
    }

    // On a screen smaller than the form, the form scrolls inside the window; every control can be
    // reached, and Tab brings the focused one into view.
    void smallWindowScrollsTheForm()
    {
        auto* scroller = qobject_cast<QScrollArea*>(w->centralWidget());
        QVERIFY(scroller);
        QWidget* form = w->controls().Form;
        const QSize full = form->size();
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        QVERIFY(!scroller->verticalScrollBar()->isVisible());
        QCOMPARE(form->mapTo(w.get(), QPoint()), scroller->mapTo(w.get(), QPoint()));

        w->resize(600, 400);
        settle();
        QCOMPARE(form->size(), full);
        QVERIFY(scroller->horizontalScrollBar()->isVisible());
        QVERIFY(scroller->verticalScrollBar()->isVisible());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->controls().cmdMinus->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->controls().cmdMinus, Qt::Key_Tab); // to the report box, bottom right
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->controls().txtAusgabe));
        const QRect seen(
            scroller->viewport()->mapTo(w.get(), QPoint()), scroller->viewport()->size());
        const QRect report(
            w->controls().txtAusgabe->mapTo(w.get(), QPoint()), w->controls().txtAusgabe->size());
        QVERIFY(seen.intersects(report));
    }

    // ---- screen readers

    void screenReaderRoles()
    {
        const auto role = [](QObject* o) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
            return iface ? iface->role() : QAccessible::NoRole;
        };
        QCOMPARE(role(w->controls().picausgabe), QAccessible::Graphic);
        QCOMPARE(role(w->controls().picZeichenblatt), QAccessible::Graphic);
        QCOMPARE(role(w->controls().Frame1), QAccessible::Grouping);
        QCOMPARE(accessible(w->controls().picausgabe, QAccessible::Name),
            QStringLiteral("Balkendiagramm der Darstellungen von n"));

        // The menu bar's commands, as a screen reader finds them.
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w->menuBar());
        QVERIFY(bar);
        QStringList names;
        QAccessibleInterface* info = nullptr;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* item = bar->child(i);
            QCOMPARE(item->role(), QAccessible::MenuItem);
            names << item->text(QAccessible::Name);
            if (names.last() == QStringLiteral("Information"))
                info = item;
        }
        QCOMPARE(names, (QStringList { "Programm beenden", "Information" }));
        QVERIFY(info->rect().isValid());
        QCOMPARE(info->parent(), bar);
        MessageRecorder boxes;
        QAccessibleActionInterface* press = info->actionInterface();
        QVERIFY(press);
        press->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(boxes.shown.size(), std::size_t(1));
    }

    void toolkitTextsAreGerman()
    {
        std::unique_ptr<QMenu> menu(w->controls().txtLuecke->createStandardContextMenu());
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << a->text();
        QVERIFY2(texts.join(QLatin1Char('|')).contains(QStringLiteral("Alles auswählen")),
            qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(
            QCoreApplication::translate("QPlatformTheme", "Close"), QStringLiteral("Schließen"));
        QCOMPARE(
            QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    }

    // ---- what the user sees

    void diagramAndFactorisationOnScreen()
    {
        w->controls().HScroll2->setValue(16);
        w->controls().HScroll2->setValue(15);
        settle();
        const QImage shot = w->grab().toImage();
        QVERIFY(sameColor(diagramPixel(100.5, 3.5, shot), 0xE0E0E0)); // background between lines
        QVERIFY(sameColor(diagramPixel(2.5, 0.45, shot), 0x000000)); // bar 1 ... 5
        QVERIFY(sameColor(diagramPixel(4.5, 2.6, shot), 0x000080)); // bar 4 ... 6
        QVERIFY(sameColor(diagramPixel(7.5, 4.6, shot), 0x008000)); // bar 7 ... 8
        QVERIFY(sameColor(diagramPixel(14.5, 6.45, shot), 0x008080)); // bar 15
        // A grid line at x = 100 lies within a pixel of its exact place.
        bool grid = false;
        for (double dx = -0.2; dx <= 0.2; dx += 0.05)
            grid = grid || sameColor(diagramPixel(100 + dx, 3.5, shot), 0x00FFFF);
        QVERIFY(grid);
        // The factorisation drew dark text on white.
        const QImage factor = w->controls().picZeichenblatt->image();
        int dark = 0;
        for (int y = 0; y < factor.height(); ++y)
            for (int x = 0; x < factor.width(); ++x)
                dark += qGray(factor.pixel(x, y)) < 100;
        QVERIFY(dark > 50);
    }

    // Only the visible part of the diagram is rasterised, a tile at a time as it comes into view;
    // what the viewport shows is the same as the whole picture rasterised at once, at every
    // panning position and while the thumb is dragged.
    void visiblePictureIsTheWholePicturesPart_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("n=1365") << 1365;
        QTest::newRow("n=15") << 15;
    }
    void visiblePictureIsTheWholePicturesPart()
    {
        QFETCH(int, n);
        PictureBox* box = w->controls().picausgabe;
        ScrollBar* pan = w->controls().HScroll1;
        w->controls().txtAusgabe->setFocus(); // no focus frame over the diagram
        w->controls().HScroll2->setValue(n == 15 ? 16 : 15);
        w->controls().HScroll2->setValue(n);
        settle();
        QVERIFY2(box->surface().freshTileCount() < box->surface().tileCount(),
            "the hidden part was rasterised");

        // The same diagram drawn on a surface of its own and rasterised in one go.
        ImageSurface whole(box->contentsRect().size(), twips::perPixel());
        whole.setBackground(box->backColor());
        whole.setFont(box->surface().font());
        whole.setLogicalDpi(box->logicalDpiY());
        auto table = std::make_unique<Representations>();
        BarDiagram diagram(whole);
        analyse(*table, Str(n), &diagram);
        const qreal dpr = box->devicePixelRatioF();
        const QImage reference = whole.image(dpr).convertToFormat(QImage::Format_RGB32);

        // What the viewport shows of the picture (not of the box's border), in device pixels.
        auto shownAsWhole = [&] {
            const QRect inner
                = box->contentsRect().translated(box->mapTo(w->controls().picContainer, QPoint()));
            const QRect seen = inner & w->controls().picContainer->contentsRect();
            const auto device = [dpr](const QRect& r) {
                return QRect(
                    (QPointF(r.topLeft()) * dpr).toPoint(), (QSizeF(r.size()) * dpr).toSize());
            };
            const QImage shown = w->controls().picContainer->grab().toImage().convertToFormat(
                QImage::Format_RGB32);
            return !seen.isEmpty()
                && shown.copy(device(seen))
                == reference.copy(device(seen.translated(-inner.topLeft())));
        };
        for (int value : { 0, 1, 7, 8, 2000, 12345, 24000, 8, 0 }) {
            pan->setValue(value);
            settle();
            QVERIFY2(shownAsWhole(), qPrintable(QStringLiteral("HScroll1 = %1").arg(value)));
        }
        QVERIFY2(box->surface().freshTileCount() < box->surface().tileCount(),
            "the parts between the positions were rasterised");

        // Dragging the thumb from the left end to the right.
        const QPoint thumb = scrollBarPart(pan, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(pan, Qt::LeftButton, {}, thumb);
        for (int dx = 37; thumb.x() + dx < pan->width(); dx += 211) {
            QTest::mouseMove(pan, thumb + QPoint(dx, 0));
            settle();
            QVERIFY2(shownAsWhole(),
                qPrintable(QStringLiteral("dragged to HScroll1 = %1").arg(pan->value())));
        }
        QTest::mouseRelease(pan, Qt::LeftButton, {}, thumb + QPoint(pan->width(), 0));
        QVERIFY(pan->value() > 20000);
    }

    void drawingSurvivesHideAndShow()
    {
        w->controls().HScroll2->setValue(27);
        settle();
        const QImage before = w->controls().picausgabe->image();
        w->hide();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCOMPARE(w->controls().picausgabe->image(), before);
        QVERIFY(sameColor(diagramPixel(4, 0.45, w->grab().toImage()), 0x000000)); // bar 2 ... 7
    }

    // Another screen gives the picture a new pixel size; its drawing carries over.
    void drawingSurvivesANewPixelSize()
    {
        PictureBox box(QStringLiteral("box"), w.get());
        box.setGeometry(0, 0, 104, 104); // 100 x 100 inside the border
        box.setBackColor(0xFFFFFF);
        box.surface().Scale(0, 0, 10, 10);
        box.surface().Cls();
        box.surface().Box(0, 0, 5, 5, 0x000080);
        QVERIFY(sameColor(box.pixelAt(2.5, 2.5), 0x000080));
        box.setGeometry(0, 0, 204, 204);
        QVERIFY(sameColor(box.pixelAt(2.5, 2.5), 0x000080));
        QVERIFY(sameColor(box.pixelAt(7.5, 7.5), 0xFFFFFF));
        QCOMPARE(box.image().size(), QSize(200, 200) * box.devicePixelRatioF());
    }

    void panning()
    {
        w->controls().HScroll1->setValue(1);
        QCOMPARE(w->controls().picausgabe->left(), -1.9f);
        w->controls().HScroll1->setValue(24000);
        QCOMPARE(w->controls().picausgabe->left(), -45600.0f);
        QCOMPARE(w->controls().picausgabe->x(), -3040);
        w->controls().HScroll1->setValue(0);
        QCOMPARE(w->controls().picausgabe->x(), 0);
    }

    // ---- the gap search in the window

    void searchStepsThroughTheWindow()
    {
        w->controls().HScroll2->setValue(14);
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 15"));
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(27)));
    }

    void plusAndMinusButtons()
    {
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral(" 1"));
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral("-1"));
        QCOMPARE(w->controls().txtN->text(), QStringLiteral("15")); // no search, no change of n
    }

    void invalidGapStopsTheSearchWithAMessage_data()
    {
        QTest::addColumn<QString>("luecke");
        QTest::newRow("gap 1400") << "1400";
        QTest::newRow("overlap 1402") << "-1402";
        QTest::newRow("too large for the index") << "1e12";
        QTest::newRow("too large for Val") << "1e999";
    }
    void invalidGapStopsTheSearchWithAMessage()
    {
        QFETCH(QString, luecke);
        MessageRecorder boxes;
        w->controls().txtLuecke->setText(luecke);
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 16")); // one step, shown
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(16)));
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].kind, MessageKind::Warning);
        QCOMPARE(
            boxes.shown[0].text, QStringLiteral("Die Lücke muss zwischen -1401 und 1399 liegen."));
        QVERIFY(!w->ending());
        QCOMPARE(w->controls().txtLuecke->text(), luecke);
        QTest::mouseClick(w->controls().cmd27, Qt::LeftButton); // the program goes on
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
    }

    void plusOnTooLargeTextKeepsTheText()
    {
        MessageRecorder boxes;
        w->controls().txtLuecke->setText(QStringLiteral("9e999"));
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        QTest::mouseClick(w->controls().cmdMinus, Qt::LeftButton);
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral("9e999"));
        QCOMPARE(boxes.shown.size(), std::size_t(2));
        QVERIFY(!w->ending());
    }

    void anyGapTextIsSafe_data()
    {
        QTest::addColumn<QString>("luecke");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "    ";
        QTest::newRow("sign alone") << "-";
        QTest::newRow("letters") << "Lücke";
        QTest::newRow("non-ASCII") << "∞ 😀 ß";
        QTest::newRow("pasted 100 kB") << QString(100000, QLatin1Char('7'));
        QTest::newRow("pasted 100 kB of zeros") << QString(100000, QLatin1Char('0'));
    }
    void anyGapTextIsSafe()
    {
        QFETCH(QString, luecke);
        MessageRecorder boxes;
        w->controls().HScroll2->setValue(1360);
        w->controls().txtLuecke->setText(luecke);
        QTest::mouseClick(w->controls().cmdPlus, Qt::LeftButton);
        w->controls().txtLuecke->setText(luecke);
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QVERIFY(!w->ending());
        QVERIFY(w->controls().HScroll2->value() > 1360);
    }

    void secondSearchFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        int pumps = 0;
        int innerStop = 0;
        w->setDoEvents([&] {
            if (++pumps == 1) {
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
                innerStop = w->controls().HScroll2->value();
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(innerStop, 3);
        QCOMPARE(w->controls().HScroll2->value(), 3);
    }

    void gapChangedFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        bool typed = false;
        w->setDoEvents([&] {
            if (!typed) {
                typed = true;
                QTest::mouseClick(
                    w->controls().cmdPlus, Qt::LeftButton); // L = 1 from the first step on
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(
            w->controls().HScroll2->value(), 5); // 3 has an adjacent pair, but is tested with L = 1
    }

    void exampleButtonFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        bool clicked = false;
        w->setDoEvents([&] {
            if (!clicked) {
                clicked = true;
                QTest::mouseClick(w->controls().cmd945, Qt::LeftButton);
            }
        });
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        const int n = w->controls().HScroll2->value();
        QVERIFY(n >= 945);
        QVERIFY(w->table().Abstand(1399) > 0 || n == 1365);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(n)));
    }

    void windowClosedFromInsideThePump_data()
    {
        QTest::addColumn<int>("depth");
        QTest::newRow("one search") << 1;
        QTest::newRow("two nested searches") << 2;
    }
    void windowClosedFromInsideThePump()
    {
        QFETCH(int, depth);
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        int pumps = 0;
        w->setDoEvents([&] {
            ++pumps;
            if (pumps < depth)
                QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
            else if (pumps == depth + 5)
                w->close();
        });
        QTimer::singleShot(0, w->controls().cmdSuche,
            [&] { QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(w->ending());
        QCOMPARE(pumps, depth + 5); // nothing ran after the close
        QCOMPARE(w->controls().HScroll2->value(), 1 + depth + 5);
    }

    void programmBeendenFromInsideThePump()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        w->setDoEvents([&] { w->controls().cmdEnde->trigger(); });
        QTimer::singleShot(0, w->controls().cmdSuche,
            [&] { QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(w->controls().HScroll2->value(), 2);
    }

    void fullSearchWithTheRealPump()
    {
        w->controls().HScroll2->setValue(1);
        w->controls().txtLuecke->setText(QStringLiteral("1399"));
        QTest::mouseClick(w->controls().cmdSuche, Qt::LeftButton);
        QCOMPARE(w->controls().HScroll2->value(), 1365);
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));
        QVERIFY(!w->ending());
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
