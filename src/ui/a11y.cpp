#include "ui/a11y.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegularExpression>
#include <QWidget>

namespace a11y {

namespace {

// The text a button's spoken name was made from; a name without it is the window's own.
const char *const kSpokenFrom = "kalimboSpokenFrom";

QAccessibleInterface *pictureFactory(const QString &className, QObject *object) {
    if (object && object->isWidgetType() &&
        (className == QLatin1String("Canvas") || className == QLatin1String("ImageView")))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

QString spokenName(const QString &text) {
    QString t = text;
    t.remove(QLatin1Char('&'));
    t = t.trimmed();
    if (t == QLatin1String("<<"))
        return QStringLiteral("Zurück");
    if (t == QLatin1String(">>"))
        return QStringLiteral("Weiter");
    if (t == QLatin1String("X"))
        return QStringLiteral("Schließen");
    static const QRegularExpression dots(QStringLiteral("(\\s*\\.)+$"));
    static const QRegularExpression spaced(QStringLiteral("^(\\S )+\\S$"));
    QString s = t;
    s.remove(dots);
    s = s.trimmed();
    if (spaced.match(s).hasMatch())
        s.remove(QLatin1Char(' '));
    if (s.isEmpty() || s == text)
        return {};
    return s;
}

void nameButtons(QWidget *window) {
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        const QVariant from = b->property(kSpokenFrom);
        if (!b->accessibleName().isEmpty() && !from.isValid())
            continue; // named by its window
        if (from.isValid() && from.toString() == b->text())
            continue;
        b->setAccessibleName(spokenName(b->text()));
        b->setProperty(kSpokenFrom, b->text());
    }
}

void setTabOrder(const QList<QWidget *> &chain) {
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void install() {
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(pictureFactory);
    installed = true;
}

} // namespace a11y
