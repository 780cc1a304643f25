#include "exercises/Form4.h"

#include "ui/controls.h"

#include <QLabel>
#include <QPushButton>

Form4::Form4(Program &program)
    : ArticleScreen(program, 7560, QStringLiteral("Kalimbo (Ergänzung)"), LogList::Ergaenzen,
                    QStringLiteral("Das stimmt leider nicht!")) {
    Label2 = controls::label(this, QStringLiteral("Ich sehe"), 1080, 1200, 2775, 615, answerFont());
    KALIMBO_NAME(Label2);
    controls::colourise(Label2, kBackground, QColor(0, 0, 192));
    Command4 = makeButton(QStringLiteral("ein"), 1080, 1920, 2295, 615, answerFont());
    KALIMBO_NAME(Command4);
    Command5 = makeButton(QStringLiteral("eine"), 1080, 2640, 2295, 615, answerFont());
    KALIMBO_NAME(Command5);
    Command6 = makeButton(QStringLiteral("einen"), 1080, 3360, 2295, 615, answerFont());
    KALIMBO_NAME(Command6);
    makeFrames(QRect(4440, 840, 5295, 3855), QRect(5160, 120, 3855, 5295));
    makeBottom(Command2, Command3);
    KALIMBO_NAME(Command2);
    KALIMBO_NAME(Command3);
    setAnswerKeys(Command4, Command5, Command6);
    // Each indefinite article stands for the definite one it goes with.
    connect(Command4, &QPushButton::clicked, this,
            [this] { answer(QStringLiteral("das"), QStringLiteral("ein")); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { answer(QStringLiteral("die"), QStringLiteral("eine")); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { answer(QStringLiteral("der"), QStringLiteral("einen")); });
}

QString Form4::spokenAnswer() const {
    const QString form = voice().displayForm();
    const QString article = form.left(3);
    const QString indefinite = article == QLatin1String("der")   ? QStringLiteral("einen")
                               : article == QLatin1String("die") ? QStringLiteral("eine")
                                                                 : QStringLiteral("ein");
    return QStringLiteral("Ich sehe ") + indefinite + QLatin1Char(' ') + form.mid(4);
}
