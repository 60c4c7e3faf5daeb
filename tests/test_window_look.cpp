// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout and look: every control's place and size in twips, captions, fonts
// and colours, the one light look under every desktop theme, the focus seen on every stop, and
// no device pixel left unpainted at any scale. Runs at scale 1 and 2 and under a dark desktop.
#include "window_fixture.h"

#include "report_lines.h"
#include "scroll_bar_parts.h"
#include "ui/colors.h"
#include "ui/desktop.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "wait_compare.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <map>

using namespace kv;
using namespace kv::testing;

namespace {

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

class TestWindowLook : public WindowTest {
    Q_OBJECT
private slots:
    // Every control as the form places it: its rectangle in twips (in its parent), its caption
    // or first text, its font's points and its background colour, where the form sets them.
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsRect");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("background"); // -1: the look's
        const struct {
            const char* name;
            int l, t, w, h;
            const char* caption;
            double points;
            int background;
        } controls[] = {
            { "txtAusgabe", 8160, 5400, 7212, 3252, "Ergebnisse\r\n", 13.8, -1 },
            { "cmdMinus", 7680, 8040, 252, 252, "-", 0, 0xFFFF00 },
            { "cmdPlus", 7680, 7800, 252, 252, "+", 0, 0xFFFF00 },
            { "txtLuecke", 7080, 7800, 612, 504, "0", 12, -1 },
            { "cmdSuche", 6360, 7080, 1572, 492, "Suche bis", 10.2, 0xFFFF00 },
            { "Picture1", 2040, 6600, 5892, 252, nullptr, 0, 0xFFFF00 },
            { "Frame1", 360, 6960, 5772, 1692, nullptr, 0, -1 },
            { "cmd15", 120, 240, 612, 612, "15", 12, 0xFFFF00 },
            { "cmd27", 120, 960, 612, 612, "27", 12, 0xFFFF00 },
            { "cmd30", 1080, 240, 612, 612, "30", 12, 0xFFFF00 },
            { "cmd45", 2040, 240, 612, 612, "45", 12, 0xFFFF00 },
            { "cmd75", 2040, 960, 612, 612, "75", 12, 0xFFFF00 },
            { "cmd90", 3000, 240, 612, 612, "90", 12, 0xFFFF00 },
            { "cmd105", 3000, 960, 612, 612, "105", 12, 0xFFFF00 },
            { "cmd128", 3960, 240, 612, 612, "128", 12, 0xFFFF00 },
            { "cmd150", 3960, 960, 612, 612, "150", 12, 0xFFFF00 },
            { "cmd945", 4920, 240, 612, 612, "945", 12, 0xFFFF00 },
            { "cmd32", 1080, 960, 612, 612, "32", 12, 0xFFFF00 },
            { "cmd1365", 4920, 960, 612, 612, "1365", 12, 0xFFFF00 },
            { "txthilfe", 360, 8880, 15012, 432, "Hilfe", 13.8, 0xFFFFC0 },
            { "picZeichenblatt", 360, 5400, 7572, 552, nullptr, 10.2, 0xFFFFFF },
            { "txtN", 360, 6120, 1692, 732, "15", 28.2, 0xFFFF00 },
            { "HScroll2", 2040, 6120, 5892, 492, nullptr, 0, -1 },
            { "HScroll1", 360, 4800, 15012, 372, nullptr, 0, -1 },
            { "picContainer", 360, 360, 15012, 4452, nullptr, 0, -1 },
            { "picausgabe", 0, 0, 56000, 4572, nullptr, 13.2, 0xE0E0E0 }, // in the container
            { "Label3", 6360, 8400, 1572, 252, "vorkommt.", 12, -1 },
            { "Label1", 6360, 7920, 732, 372, "Lücke", 12, -1 },
        };
        for (const auto& c : controls)
            QTest::newRow(c.name) << c.name << QRect(c.l, c.t, c.w, c.h)
                                  << (c.caption ? QString::fromUtf8(c.caption) : QString())
                                  << c.points << c.background;
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsRect);
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(int, background);
        QCOMPARE(twips::perPixel(), 15.0); // 96 dpi
        auto* control = w->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
            QRect(twipsRect.left() / 15, twipsRect.top() / 15, 0, 0)
                .adjusted(0, 0,
                    qRound((twipsRect.left() + twipsRect.width()) / 15.0) - twipsRect.left() / 15,
                    qRound((twipsRect.top() + twipsRect.height()) / 15.0) - twipsRect.top() / 15));

        QString shown;
        QPalette::ColorRole face = QPalette::Window, text = QPalette::WindowText;
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown = button->text();
            face = QPalette::Button;
            text = QPalette::ButtonText;
        } else if (auto* line = qobject_cast<TextBox*>(control)) {
            shown = line->text();
            face = QPalette::Base;
            text = QPalette::Text;
        } else if (auto* box = qobject_cast<MultiLineTextBox*>(control)) {
            shown = box->text();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        }
        if (!caption.isNull())
            QCOMPARE(shown, caption);
        if (points > 0)
            QCOMPARE(control->font().pointSizeF(), points);
        if (background >= 0) {
            auto* picture = qobject_cast<PictureBox*>(control);
            QCOMPARE(picture ? picture->backColor() : toRgb(control->palette().color(face)),
                Rgb(background));
            if (!picture) // dark text on it, whatever the desktop theme
                QVERIFY(sameColor(control->palette().color(text), 0x000000));
        }
    }

    void windowAndSpecialControls()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Kalvoster"));
        QCOMPARE(w->centralWidget()->size(), QSize(qRound(15516 / 15.0), qRound(9468 / 15.0)));
        QVERIFY(!w->windowIcon().isNull());
        QCOMPARE(w->controls().cmdEnde->text(), QStringLiteral("Programm beenden"));
        QCOMPARE(w->controls().cmdInfo->text(), QStringLiteral("i"));
        QVERIFY(w->controls().picZeichenblatt->font().bold());
        const QString family = QFontInfo(w->controls().txtN->font()).family();
        QVERIFY2(family == QLatin1String("Liberation Serif")
                || family == QLatin1String("Times New Roman"),
            qPrintable(family));
        // The viewport shows the standard colour where the panned diagram leaves it bare.
        QCOMPARE(
            w->controls().picContainer->backColor(), toRgb(w->palette().color(QPalette::Window)));
        QVERIFY(w->controls().txtN->isReadOnly());
        QCOMPARE(w->controls().txtN->alignment(), Qt::AlignCenter);
        QCOMPARE(w->controls().txtAusgabe->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void startUpState()
    {
        QCOMPARE(w->controls().HScroll2->value(), 15);
        for (PictureBox* p : { w->controls().picausgabe, w->controls().picZeichenblatt }) {
            QImage empty(p->wholePicture().size(), QImage::Format_RGB32);
            empty.fill(QColor::fromRgb(p->backColor()));
            KV_COMPARE_IMAGES_AT(p->wholePicture(), empty, p->objectName());
        }
    }

    void oneLightLookUnderEveryDesktopTheme()
    {
        if (qEnvironmentVariableIsSet("KV_DARK_DESKTOP")) {
            // Run under a dark desktop theme: prove that it was in force.
            QVERIFY2(desktopPalette.color(QPalette::Window).lightness() < 100,
                qPrintable(desktopPalette.color(QPalette::Window).name()));
        } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            // Without a desktop theme the light look is what the toolkit shows anyway, so the
            // window's pixels are those it always had. (A platform with a theme of its own, as
            // Windows has, offers its colours; the light look replaces them, as checked below.)
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
            const QImage picture = box->surface().image(box->devicePixelRatioF());
            widget->clearFocus();
            QCOMPARE(box->surface().image(box->devicePixelRatioF()), picture);
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
            KV_COMPARE_IMAGES_AT(ring(container->grab().toImage()), ring(border),
                QStringLiteral("HScroll1 = %1:").arg(value));
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
};

QTEST_MAIN(TestWindowLook)
#include "test_window_look.moc"
