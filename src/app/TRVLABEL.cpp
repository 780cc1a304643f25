#include "app/TRVLABEL.h"

#include "app/icon.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

TRVLABEL::TRVLABEL(Program &program)
    : Screen(program, 3510, 3645, QStringLiteral("Kalimbo"), QColor(192, 192, 255)),
      m_program(program) {
    setCentresOnLoad(false);
    Figur1 = controls::shape(this, QColor(128, 255, 255), 120, 120, 3255, 2655);
    KALIMBO_NAME(Figur1);
    Picture1 = controls::label(this, QString(), 240, 360, 495, 495);
    KALIMBO_NAME(Picture1);
    Picture1->setPixmap(icon::program(twips::px(495)));
    Picture1->setAccessibleName(QStringLiteral("Kalimbo"));
    Bezeichnung5 = controls::label(this, QStringLiteral("Kalimbo"), 720, 240, 2535, 615,
                                   controls::verdana(27.75, true));
    KALIMBO_NAME(Bezeichnung5);
    Bezeichnung5->setStyleSheet(QStringLiteral("color: rgb(0,0,192)"));
    Bezeichnung6 =
        controls::label(this, QString(), 240, 1080, 3015, 975, controls::verdana(8.25, true));
    KALIMBO_NAME(Bezeichnung6);
    Bezeichnung6->setWordWrap(true);
    Bezeichnung1 = controls::label(this, QStringLiteral("O k a y"), 240, 2160, 3015, 495,
                                   controls::verdana(21.75, true));
    KALIMBO_NAME(Bezeichnung1);
    Bezeichnung1->setAlignment(Qt::AlignCenter);
    Bezeichnung1->setCursor(Qt::PointingHandCursor);
    Bezeichnung1->installEventFilter(this);
    Bezeichnung7 = controls::label(this, QString(), 120, 2880, 3255, 375, controls::verdana(8.25));
    KALIMBO_NAME(Bezeichnung7);
    Bezeichnung7->setAlignment(Qt::AlignCenter);
    Bezeichnung7->setWordWrap(true);
}

void TRVLABEL::activated() {
    Bezeichnung6->setText(
        QStringLiteral("Ein Lernprogramm für Kinder der ersten Schuljahre: "
                       "Nomen mit ihren Begleitern lesen, wählen und schreiben."));
    Bezeichnung7->setText(QStringLiteral("Version 1.0 · frei für Schule und Zuhause"));
}

void TRVLABEL::schliessen() {
    m_program.leave(this);
}

bool TRVLABEL::eventFilter(QObject *o, QEvent *e) {
    if (o == Bezeichnung1 && e->type() == QEvent::MouseButtonRelease) {
        schliessen();
        return true;
    }
    return Screen::eventFilter(o, e);
}
