// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with the keyboard alone and through a screen reader: the focus order, keys
// that click, move and pan, the roles and names a screen reader finds, what the drawings say
// they show, and the toolkit's own texts in German.
#include "window_fixture.h"

#include "scroll_bar_parts.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace kv;
using namespace kv::testing;

class TestWindowKeyboard : public WindowTest {
    Q_OBJECT
private slots:
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
        w->controls().example(945)->setFocus();
        QTest::keyClick(w->controls().example(945), Qt::Key(key));
        QCOMPARE(w->controls().txtN->text(), QStringLiteral(" 945"));
        w->controls().cmdPlus->setFocus();
        QTest::keyClick(w->controls().cmdPlus, Qt::Key(key));
        QCOMPARE(w->controls().txtLuecke->text(), QStringLiteral(" 1"));
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

    void screenReaderRoles()
    {
        const auto role = [](QObject* o) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
            return iface ? iface->role() : QAccessible::NoRole;
        };
        QCOMPARE(role(w->controls().picausgabe), QAccessible::Graphic);
        QCOMPARE(role(w->controls().picZeichenblatt), QAccessible::Graphic);
        QCOMPARE(role(w->controls().Frame1), QAccessible::Grouping);
        QCOMPARE(accessibleText(w->controls().picausgabe, QAccessible::Name),
            QStringLiteral("Balkendiagramm der Darstellungen von n"));
        QCOMPARE(accessibleText(w->controls().example(945), QAccessible::Name),
            QStringLiteral("Beispiel 945"));
        QCOMPARE(accessibleText(w->controls().cmdPlus, QAccessible::Name),
            QStringLiteral("Lücke um eins vergrößern"));

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

    void drawingsDescribeWhatTheyShow()
    {
        QCOMPARE(accessibleText(w->controls().picausgabe, QAccessible::Description),
            QStringLiteral("leer"));
        w->controls().HScroll2->setValue(16);
        w->controls().HScroll2->setValue(15);
        QCOMPARE(accessibleText(w->controls().picausgabe, QAccessible::Description),
            QStringLiteral("4 Darstellungen: 1 bis 5, 4 bis 6, 7 bis 8, 15"));
        QCOMPARE(accessibleText(w->controls().picZeichenblatt, QAccessible::Description),
            QStringLiteral("15 = 3 hoch 1 mal 5 hoch 1"));
        w->controls().HScroll2->setValue(1);
        QCOMPARE(accessibleText(w->controls().picausgabe, QAccessible::Description),
            QStringLiteral("1 Darstellung: 1"));
        QCOMPARE(accessibleText(w->controls().picZeichenblatt, QAccessible::Description),
            QStringLiteral("1 hat keine Primfaktoren"));
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
};

QTEST_MAIN(TestWindowKeyboard)
#include "test_window_keyboard.moc"
