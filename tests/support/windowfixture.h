#pragma once
// Shared set-up for the window tests: a picture folder with a fake program,
// windows opened as the main menu opens them, and short checks of message
// boxes, drawn pixels and list clicks.

#include "support/fakeprogram.h"
#include "support/picturedir.h"

#include <QImage>
#include <QListWidget>
#include <QTest>

/// One test's working directory and program (the folder outlives the windows).
struct WindowFixture {
    PictureDir dir;
    FakeProgram p;

    explicit WindowFixture(const QStringList &nouns = {}) {
        if (!nouns.isEmpty())
            p.setNouns(nouns);
    }
    /// Shows the window as the main menu does and returns it as its class.
    template <class T> T *open(ScreenId id) {
        p.showScreen(id);
        return screenAs<T>(p, id);
    }
    /// Message box i (last by default) as "title | text", empty if there is none.
    QString box(int i = -1) const {
        const auto &b = p.dialogsRec.boxes;
        if (i < 0)
            i = int(b.size()) + i;
        return i >= 0 && i < b.size() ? b[i].title + QStringLiteral(" | ") + b[i].text : QString();
    }
    int boxes() const { return int(p.dialogsRec.boxes.size()); }
    /// Deletes a window closed by its title bar.
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

/// The control of a window by its object name (the name the window gives it).
/// A missing or differently typed control ends the test run: every later
/// check would only fail for the same reason.
template <class T = QWidget> T *control(const QObject *window, const char *name) {
    T *c = window->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

/// Pixels of exactly this colour inside area (the whole image when area is empty).
inline int countColour(const QImage &img, const QColor &c, QRect area = QRect()) {
    area = area.isNull() ? img.rect() : area & img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

/// Clicks a list entry where the user would.
inline void clickItem(QListWidget *list, QListWidgetItem *item) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}
