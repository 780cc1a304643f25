#include "exercises/Form3.h"

#include "ui/controls.h"

#include <QPushButton>

Form3::Form3(Program &program)
    : ArticleScreen(program, 7590, QStringLiteral("Kalimbo (Begleiter)"), LogList::Begleiter,
                    QStringLiteral("Das stimmt leider nicht, überlege nochmal!")) {
    Command2 = makeButton(QStringLiteral("der"), 360, 1080, 1335, 975, answerFont());
    KALIMBO_NAME(Command2);
    Command3 = makeButton(QStringLiteral("die"), 360, 2280, 1335, 975, answerFont());
    KALIMBO_NAME(Command3);
    Command4 = makeButton(QStringLiteral("das"), 360, 3480, 1335, 975, answerFont());
    KALIMBO_NAME(Command4);
    makeFrames(QRect(2760, 840, 5295, 3855), QRect(3480, 120, 3855, 5295));
    makeBottom(Command5, Command6);
    KALIMBO_NAME(Command5);
    KALIMBO_NAME(Command6);
    setAnswerKeys(Command2, Command3, Command4);
    connect(Command2, &QPushButton::clicked, this, [this] { answer(QStringLiteral("der")); });
    connect(Command3, &QPushButton::clicked, this, [this] { answer(QStringLiteral("die")); });
    connect(Command4, &QPushButton::clicked, this, [this] { answer(QStringLiteral("das")); });
}
