// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_page.h"

#include <QByteArray>
#include <cmath>

#ifdef __EMSCRIPTEN__
#include "form1.h"
#include "ui/picture_box.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"

#include <QApplication>
#include <QFont>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#endif

namespace kv::page {

namespace {

    // The scales a page may ask for: a small phone's screen up to a wall display's.
    constexpr double smallestScale = 0.25;
    constexpr double largestScale = 8.0;

    std::optional<double> parseScale(const QByteArray& text)
    {
        bool ok = false;
        const double scale = text.toDouble(&ok);
        if (!ok || !std::isfinite(scale) || scale < smallestScale || scale > largestScale)
            return std::nullopt;
        return scale;
    }

    std::optional<int> parseN(const QByteArray& text)
    {
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < 1 || n > 1365)
            return std::nullopt;
        return n;
    }

} // namespace

Start parseStart(int argc, const char* const* argv)
{
    Start start;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        const auto value = [&argument](const char* option) -> std::optional<QByteArray> {
            const QByteArray prefix = QByteArray(option) + '=';
            if (!argument.startsWith(prefix))
                return std::nullopt;
            return argument.mid(prefix.size());
        };
        if (const auto scale = value("--scale"))
            start.scale = parseScale(*scale);
        else if (const auto n = value("--n"))
            start.n = parseN(*n);
        else if (const auto gap = value("--gap"))
            start.gap = QString::fromUtf8(*gap);
    }
    return start;
}

#ifdef __EMSCRIPTEN__

namespace {

    QPointer<Form1> joined;

    // n and the gap's text, for the page to pass back after a restart.
    std::string state()
    {
        if (!joined)
            return "{}";
        const Form1Controls& form = joined->controls();
        const QJsonObject object { { QStringLiteral("n"), form.HScroll2->value() },
            { QStringLiteral("gap"), form.txtLuecke->text() } };
        return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
    }

    // The toolkit types into one hidden text field of the page, which it focuses for every
    // control that takes the focus; on a touch screen, that brings up the on-screen keyboard. It
    // comes up only for a control that takes text.
    void offerKeyboard(QObject* focus)
    {
        const auto* widget = qobject_cast<const QWidget*>(focus);
        const bool takesText = widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
        using emscripten::val;
        val input = val::global("document")
                        .call<val>("querySelector", std::string("body > input[type=text]"));
        const std::string mode = takesText ? "text" : "none";
        if (input.isNull() || input["inputMode"].as<std::string>() == mode)
            return;
        input.set("inputMode", val(mode));
        if (!takesText && val::global("document")["activeElement"] == input) {
            input.call<void>("blur"); // a keyboard already up goes down
            input.call<void>("focus");
        }
    }

} // namespace

EMSCRIPTEN_BINDINGS(kalvoster_page)
{
    emscripten::function("kalvosterState", &state);
}

void applyScale(const Start& start)
{
    if (start.scale)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(*start.scale));
}

void useDesktopFont()
{
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

void join(Form1& window, const Start& start)
{
    joined = &window;
    const Form1Controls& form = window.controls();
    if (start.gap)
        form.txtLuecke->setText(*start.gap);
    if (start.n)
        form.HScroll2->setValue(*start.n);
    // Shown, the window fills the page's place for it: its own size is the one it has before.
    const QSize natural = window.size();
    const emscripten::val tell = emscripten::val::global("kalvosterWindowSize");
    if (tell.typeOf().as<std::string>() == "function")
        tell(natural.width(), natural.height());
    QObject::connect(qApp, &QGuiApplication::focusObjectChanged, &window, &offerKeyboard);
    // Shown in the page, the window is activated anew and gives the focus to the first
    // control in its order; the keyboard starts where it starts on the desktop.
    QTimer::singleShot(0, &window, [&window] { window.controls().picContainer->setFocus(); });
}

void end(int exitStatus)
{
    // Ended from a timer, not from inside the handler of a page's event: the module's end is
    // then the event loop's last act.
    QTimer::singleShot(0, [exitStatus] { emscripten_force_exit(exitStatus); });
}

#endif

} // namespace kv::page
