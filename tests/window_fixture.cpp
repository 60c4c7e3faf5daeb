// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include "analysis/representations.h"
#include "present/bar_diagram.h"
#include "present/report.h"
#include "quiet_offscreen.h"
#include "ui/colors.h"
#include "ui/desktop.h"
#include "ui/image_surface.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScreen>
#include <QTest>

namespace kv::testing {

QString reportOf(int n)
{
    auto table = std::make_unique<Representations>();
    const std::string txtN = Str(n);
    analyse(*table, txtN, nullptr);
    return QString::fromStdString(reportText(*table, txtN));
}

bool sameColor(QColor a, Rgb b)
{
    return toRgb(a) == b;
}

QImage screenPicture(QWidget* window)
{
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QRect toDevice(const QRect& rect, qreal ratio)
{
    return QRect(
        (QPointF(rect.topLeft()) * ratio).toPoint(), (QSizeF(rect.size()) * ratio).toSize());
}

QString accessibleText(QObject* object, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(what) : QString();
}

MessageRecorder::MessageRecorder()
{
    setMessageHook([this](MessageKind kind, const QString& title, const QString& text) {
        shown.push_back({ kind, title, text });
    });
}

MessageRecorder::~MessageRecorder()
{
    setMessageHook({});
}

int execWithin(std::chrono::milliseconds limit)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(loopTimedOut); });
    guard.start(limit);
    return QApplication::exec();
}

ModalCloser::ModalCloser(std::chrono::milliseconds deadline, QWidget* behind)
    : deadline_(deadline)
    , behind_(behind)
{
    connect(&timer_, &QTimer::timeout, this, &ModalCloser::look);
    timer_.start(10);
}

void ModalCloser::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    Box seen;
    seen.late = deadline_.hasExpired();
    late_ += seen.late ? 1 : 0;
    seen.title = modal->windowTitle();
    if (behind_)
        seen.behind = screenPicture(behind_);
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box) {
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
    }
    closed_.push_back(seen);
    if (QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr)
        ok->click();
    else if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

void WindowTest::settle()
{
    QCoreApplication::processEvents();
}

QColor WindowTest::diagramPixel(double x, double y, const QImage& shot) const
{
    PictureBox* box = w->controls().picausgabe;
    const PointF inBox = box->surface().userScale().toPixels(x, y);
    const QPointF at
        = QPointF(box->mapTo(w.get(), box->contentsRect().topLeft())) + QPointF(inBox.x, inBox.y);
    const qreal dpr = shot.devicePixelRatio();
    return shot.pixelColor(int(at.x() * dpr), int(at.y() * dpr));
}

QImage WindowTest::diagramAlone(int n) const
{
    PictureBox* box = w->controls().picausgabe;
    ImageSurface whole(box->contentsRect().size(), twips::perPixel());
    whole.setBackground(box->backColor());
    whole.setFont(box->surface().font());
    whole.setLogicalDpi(box->logicalDpiY());
    auto table = std::make_unique<Representations>();
    BarDiagram diagram(whole);
    analyse(*table, Str(n), &diagram);
    return whole.image(box->devicePixelRatioF());
}

QImage WindowTest::plainPixels(const QImage& image)
{
    QImage plain = image.convertToFormat(QImage::Format_RGB32);
    plain.setDevicePixelRatio(1);
    return plain;
}

void WindowTest::selectN(int n) const
{
    w->controls().HScroll2->setValue(n == 15 ? 16 : 15);
    w->controls().HScroll2->setValue(n);
}

QString WindowTest::waitForSearches(std::chrono::milliseconds stall) const
{
    // A slow machine (the sanitizers) takes its time over a long search; a search that takes no
    // step for a while is held.
    const std::chrono::minutes limit(1);
    QElapsedTimer clock;
    clock.start();
    if (w->searching() > 0) {
        QEventLoop loop;
        QTimer stalled, guard;
        stalled.setSingleShot(true);
        guard.setSingleShot(true);
        QObject::connect(&stalled, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(w.get(), &Form1::searchStepped, &stalled, [&stalled] { stalled.start(); });
        QObject::connect(w.get(), &Form1::searchEnded, &loop, [this, &loop] {
            if (w->searching() == 0)
                loop.quit();
        });
        stalled.start(stall);
        guard.start(limit);
        loop.exec();
    }
    if (w->searching() == 0)
        return {};
    QString held = QStringLiteral("%1 searches still run at n = %2 after %3 ms")
                       .arg(w->searching())
                       .arg(w->controls().HScroll2->value())
                       .arg(clock.elapsed());
    if (const QWidget* box = QApplication::activeModalWidget())
        held += QStringLiteral(", held by the box \"%1\"").arg(box->windowTitle());
    if (const QWidget* menu = QApplication::activePopupWidget())
        held += QStringLiteral(", a menu is open: %1").arg(menu->objectName());
    return held;
}

std::optional<WindowTest::DiagramOnScreen> WindowTest::diagramOnScreen(
    const QImage& screen, int n) const
{
    PictureBox* diagram = w->controls().picausgabe;
    const qreal dpr = diagram->devicePixelRatioF();
    if (screen.size() != (QSizeF(w->size()) * dpr).toSize()) {
        qInfo("the screen's picture has %dx%d pixels, the window %gx%g", screen.width(),
            screen.height(), w->width() * dpr, w->height() * dpr);
        return std::nullopt;
    }
    const QRect inner(
        diagram->mapTo(w.get(), diagram->contentsRect().topLeft()), diagram->contentsRect().size());
    PictureBox* container = w->controls().picContainer;
    const QRect viewport(container->mapTo(w.get(), container->contentsRect().topLeft()),
        container->contentsRect().size());
    const QRect seen = inner & viewport;
    return DiagramOnScreen { plainPixels(screen.copy(toDevice(seen, dpr))),
        plainPixels(diagramAlone(n).copy(toDevice(seen.translated(-inner.topLeft()), dpr))) };
}

void WindowTest::initTestCase()
{
    dropOffscreenWarnings();
    desktopPalette = QApplication::palette();
    QVERIFY(setUpApplication(*qApp));
}

void WindowTest::init()
{
    w = std::make_unique<Form1>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void WindowTest::cleanup()
{
    w.reset();
}

} // namespace kv::testing
