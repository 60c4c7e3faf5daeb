// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's events and drawings: the n selector and the example buttons run the
// n-change sequence, the hover help, the drawings as the screen shows them, and panning.
// Runs at scale 1 and 2.
#include "window_fixture.h"

#include "analysis/representations.h"
#include "present/bar_diagram.h"
#include "report_lines.h"
#include "scroll_bar_parts.h"
#include "ui/colors.h"
#include "ui/image_surface.h"
#include "ui/picture_box.h"
#include "ui/picture_copy.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "wait_compare.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>

using namespace kv;
using namespace kv::testing;

class TestWindowDrawings : public WindowTest {
    Q_OBJECT
    // The copy command of a drawing: the diagram's is on its window.
    PictureCopy* copyOf(QWidget* drawing) const
    {
        return drawing == w->controls().picZeichenblatt ? w->controls().factorisationCopy
                                                        : w->controls().diagramCopy;
    }

private slots:
    void exampleButtons()
    {
        QTest::mouseClick(w->controls().example(15), Qt::LeftButton); // already 15: nothing happens
        QCOMPARE(w->controls().txtN->text(), QStringLiteral("15"));
        QCOMPARE(w->controls().txtAusgabe->text(), QStringLiteral("Ergebnisse\r\n"));

        QTest::mouseClick(w->controls().example(27), Qt::LeftButton);
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 27"));
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(27)));

        QTest::mouseClick(w->controls().example(1365), Qt::LeftButton);
        QCOMPARE(w->controls().HScroll2->value(), w->controls().HScroll2->maximum());
        QCOMPARE(reportLines(w->controls().txtAusgabe->text()), reportLines(reportOf(1365)));

        QTest::mouseClick(w->controls().example(15), Qt::LeftButton);
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
        QTest::mouseMove(
            w->controls().example(15), QPoint(5, 5)); // a button has no help: the line stays
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

    void diagramAndFactorisationOnScreen()
    {
        w->controls().HScroll2->setValue(16);
        w->controls().HScroll2->setValue(15);
        settle();
        const QImage shot = w->grab().toImage();
        // A grid line at x = 100 lies within a pixel of its exact place.
        bool grid = false;
        for (double dx = -0.2; dx <= 0.2; dx += 0.05)
            grid = grid || sameColor(diagramPixel(100 + dx, 3.5, shot), 0x00FFFF);
        QVERIFY(grid);
        // The factorisation drew dark text on white.
        PictureBox* factors = w->controls().picZeichenblatt;
        const QImage factor = factors->surface().image(factors->devicePixelRatioF());
        int dark = 0;
        for (int y = 0; y < factor.height(); ++y)
            for (int x = 0; x < factor.width(); ++x)
                dark += qGray(factor.pixel(x, y)) < 100;
        QVERIFY(dark > 50);
    }

    // The screen follows the drawing: after each change of n the event loop, not a picture taken
    // on demand, has both drawings rasterised anew, and the window on the screen shows the new
    // diagram.
    void screenFollowsTheDrawing()
    {
        PictureBox* diagram = w->controls().picausgabe;
        PictureBox* factors = w->controls().picZeichenblatt;
        w->controls().txtAusgabe->setFocus(); // no focus frame over the diagram
        const auto painted = [diagram, factors] {
            return diagram->surface().freshTileCount() > 0
                && factors->surface().freshTileCount() > 0;
        };
        for (int n : { 27, 1365, 16 }) {
            w->controls().HScroll2->setValue(n);
            // The change cleared both pictures: nothing of them is up to date until a paint.
            QCOMPARE(diagram->surface().freshTileCount(), 0);
            QCOMPARE(factors->surface().freshTileCount(), 0);
            QVERIFY2(QTest::qWaitFor(painted, 2000),
                qPrintable(QStringLiteral("n = %1 was not painted").arg(n)));
        }

        // What the screen holds now, without a paint forced for the purpose.
        KV_COMPARE_DIAGRAM_ON_SCREEN(screenOfWindow(), 16);
    }

    // ---- copying the drawings

    // Ctrl+C on a focused drawing (the diagram's window copies the diagram) puts the whole
    // picture on the clipboard, at the screen's pixel ratio, wherever it is panned.
    void copyByKeyboard_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("pan");
        const std::pair<const char*, const char*> stops[] = { { "picContainer", "picausgabe" },
            { "picausgabe", "picausgabe" }, { "picZeichenblatt", "picZeichenblatt" } };
        for (const auto& [focused, drawing] : stops)
            for (int n : { 15, 1365 })
                for (int pan : { 0, 12345 })
                    QTest::addRow("%s n=%d HScroll1=%d", focused, n, pan)
                        << focused << drawing << n << pan;
    }
    void copyByKeyboard()
    {
        QFETCH(QString, focused);
        QFETCH(QString, drawing);
        QFETCH(int, n);
        QFETCH(int, pan);
        selectN(n);
        w->controls().HScroll1->setValue(pan);
        settle();
        QGuiApplication::clipboard()->clear();
        auto* widget = w->findChild<QWidget*>(focused);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
        const QImage copied = QGuiApplication::clipboard()->image();

        auto* box = w->findChild<PictureBox*>(drawing);
        const qreal dpr = box->devicePixelRatioF();
        QCOMPARE(copied.size(), (QSizeF(box->contentsRect().size()) * dpr).toSize());
        const QImage whole
            = drawing == QLatin1String("picausgabe") ? diagramAlone(n) : box->surface().image(dpr);
        KV_COMPARE_IMAGES(copied, whole);
    }

    // Before the first change of n the drawings are empty: so is the copy.
    void copyBeforeTheFirstChangeIsEmpty()
    {
        PictureBox* box = w->controls().picausgabe;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QImage empty((QSizeF(box->contentsRect().size()) * box->devicePixelRatioF()).toSize(),
            QImage::Format_RGB32);
        empty.fill(toQColor(box->backColor()));
        KV_COMPARE_IMAGES(QGuiApplication::clipboard()->image(), empty);
    }

    // A right-click opens the menu with its one command, which copies; the help line stays. A
    // part added to a drawing after its offer was made offers it too.
    void copyByTheMenu_data()
    {
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<bool>("onALaterPart");
        QTest::newRow("picausgabe") << "picausgabe" << false;
        QTest::newRow("picZeichenblatt") << "picZeichenblatt" << false;
        QTest::newRow("a part added to picausgabe later") << "picausgabe" << true;
    }
    void copyByTheMenu()
    {
        QFETCH(QString, drawing);
        QFETCH(bool, onALaterPart);
        auto* box = w->findChild<PictureBox*>(drawing);
        QMenu* menu = copyOf(box)->menu();
        if (onALaterPart) {
            auto* part = new QWidget(new QWidget(box));
            part->parentWidget()->setGeometry(40, 5, 60, 30);
            part->setGeometry(0, 0, 60, 30);
            part->parentWidget()->show();
        }
        w->controls().HScroll2->setValue(27);
        settle();
        QGuiApplication::clipboard()->clear();
        const QPoint at(60, 15);
        QTest::mouseMove(box, at);
        settle();
        w->controls().txthilfe->setText(QStringLiteral("Hilfe"));
        // Through the window, as the platform delivers it: the window makes the context menu
        // event of the right button.
        QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, box->mapTo(w.get(), at));
        KV_TRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));

        QCOMPARE(accessibleText(menu, QAccessible::Name), QStringLiteral("Bildmenü"));
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(menu)->child(0);
        QVERIFY(item);
        QCOMPARE(item->text(QAccessible::Name), QStringLiteral("Bild kopieren"));
        QCOMPARE(menu->actions().size(), 1);
        QAction* copy = menu->actions().front();
        // The menu shows the key beside the command, in the platform's words.
        QCOMPARE(copy->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Strg+C"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(copy).center());
        KV_TRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(nullptr));
        KV_COMPARE_IMAGES(QGuiApplication::clipboard()->image(), box->wholePicture());
        QCOMPARE(w->controls().txthilfe->text(), QStringLiteral("Hilfe"));
    }

    // The menu key and Shift+F10 open the menu on the focused drawing; Escape closes it and
    // copies nothing.
    void menuByKeyboard_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const char* focused : { "picContainer", "picausgabe", "picZeichenblatt" }) {
            QTest::addRow("%s Shift+F10", focused)
                << focused << int(Qt::Key_F10) << int(Qt::ShiftModifier);
            QTest::addRow("%s menu key", focused) << focused << int(Qt::Key_Menu) << 0;
        }
    }
    void menuByKeyboard()
    {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto* box = w->findChild<PictureBox*>(focused);
        w->controls().HScroll2->setValue(27);
        QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QMenu* menu = copyOf(box)->menu();
        KV_TRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
        QTest::keyClick(menu, Qt::Key_Escape);
        KV_TRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(nullptr));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("vorher"));
    }

    // The report box keeps its own Copy: its text, no picture.
    void reportBoxCopiesText()
    {
        w->controls().HScroll2->setValue(27);
        MultiLineTextBox* report = w->controls().txtAusgabe;
        report->setFocus();
        report->selectAll();
        QTest::keyClick(report, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->image().isNull());
        QVERIFY2(QGuiApplication::clipboard()->text().contains(QStringLiteral("Darstellungen:")),
            qPrintable(QGuiApplication::clipboard()->text().left(80)));
    }

    // Panning: the box moves by its user scale; only the visible part of the diagram is
    // rasterised, a tile at a time as it comes into view; what the viewport shows is the same as
    // the whole picture rasterised at once, and the box's border there the whole box's border,
    // at every panning position and while the thumb is dragged. At a fractional pixel ratio a box
    // at an odd pixel lies between device pixels, so the border is compared at whole ratios only.
    void panning_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("n=1365") << 1365;
        QTest::newRow("n=15") << 15;
    }

    void panning()
    {
        QFETCH(int, n);
        PictureBox* box = w->controls().picausgabe;
        PictureBox* container = w->controls().picContainer;
        ScrollBar* pan = w->controls().HScroll1;
        w->controls().txtAusgabe->setFocus(); // no focus frame over the diagram
        selectN(n);
        settle();
        QVERIFY2(box->surface().freshTileCount() < box->surface().tileCount(),
            "the hidden part was rasterised");

        const qreal dpr = box->devicePixelRatioF();
        const QImage reference = diagramAlone(n).convertToFormat(QImage::Format_RGB32);
        QImage wholeBox; // grabbed once the hidden parts may be rasterised

        // What the viewport shows of the picture and of the box, in device pixels, beside the
        // same parts of the whole picture and the whole box.
        auto compareShown = [&](const QString& where) {
            const QRect placed(box->mapTo(container, QPoint()), box->size());
            const QRect inner = box->contentsRect().translated(placed.topLeft());
            const QImage shown = plainPixels(container->grab().toImage());
            const QRect seen = inner & container->contentsRect();
            KV_COMPARE_IMAGES_AT(shown.copy(toDevice(seen, dpr)),
                reference.copy(toDevice(seen.translated(-inner.topLeft()), dpr)), where);
            if (!wholeBox.isNull() && dpr == std::floor(dpr)) {
                const QRect seenBox = placed & container->contentsRect();
                KV_COMPARE_IMAGES_AT(shown.copy(toDevice(seenBox, dpr)),
                    wholeBox.copy(toDevice(seenBox.translated(-placed.topLeft()), dpr)), where);
            }
        };
        const struct {
            int value;
            float left; // user units
        } positions[] = { { 0, 0 }, { 1, -1.9f }, { 7, -13.3f }, { 8, -15.2f }, { 2000, -3800 },
            { 12345, -23455.5f }, { 24000, -45600 }, { 8, -15.2f }, { 0, 0 } };
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& at : positions) {
                pan->setValue(at.value);
                settle();
                QCOMPARE(box->left(), at.left);
                QCOMPARE(box->x(), at.value == 24000 ? -3040 : box->x());
                compareShown(QStringLiteral("HScroll1 = %1:").arg(at.value));
                if (QTest::currentTestFailed())
                    return;
            }
            QCOMPARE(box->x(), 0);
            if (pass == 0) {
                QVERIFY2(box->surface().freshTileCount() < box->surface().tileCount(),
                    "the parts between the positions were rasterised");
                wholeBox = plainPixels(box->grab().toImage());
            }
        }

        // Dragging the thumb from the left end to the right.
        const QPoint thumb = scrollBarPart(pan, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(pan, Qt::LeftButton, {}, thumb);
        for (int dx = 37; thumb.x() + dx < pan->width(); dx += 211) {
            QTest::mouseMove(pan, thumb + QPoint(dx, 0));
            settle();
            compareShown(QStringLiteral("dragged to HScroll1 = %1:").arg(pan->value()));
            if (QTest::currentTestFailed())
                return;
        }
        QTest::mouseRelease(pan, Qt::LeftButton, {}, thumb + QPoint(pan->width(), 0));
        QVERIFY(pan->value() > 20000);
    }
};

QTEST_MAIN(TestWindowDrawings)
#include "test_window_drawings.moc"
