#include "exercises/Form3.h"

#include <QPushButton>

Form3::Form3(Program &program)
    : ArticleScreen(program, 7590, QStringLiteral("Kalimbo (Begleiter)"), LogList::Begleiter,
                    QStringLiteral("Das stimmt leider nicht, überlege nochmal!")) {
    Command2 = makeButton(QStringLiteral("der"), 360, 1080, 1335, 975, answerFont());
    Command3 = makeButton(QStringLiteral("die"), 360, 2280, 1335, 975, answerFont());
    Command4 = makeButton(QStringLiteral("das"), 360, 3480, 1335, 975, answerFont());
    makeFrames(QRect(2760, 840, 5295, 3855), QRect(3480, 120, 3855, 5295));
    makeBottom(Command5, Command6);
    connect(Command2, &QPushButton::clicked, this, [this] { answer(QStringLiteral("der")); });
    connect(Command3, &QPushButton::clicked, this, [this] { answer(QStringLiteral("die")); });
    connect(Command4, &QPushButton::clicked, this, [this] { answer(QStringLiteral("das")); });
}
