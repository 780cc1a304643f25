#pragma once
// What the article choice and the "Ich sehe" completion share: a noun with
// its picture in the landscape or portrait frame, its noun spaced on the
// strip, and an answer checked against the article of its display form.

#include "exercises/exerciseframe.h"

class ArticleScreen : public ExerciseFrame {
    Q_OBJECT
public:
    ArticleScreen(Program &program, int clientHeightTw, const QString &caption, LogList log,
                  const QString &wrongText);

protected:
    void start() override { next(); }
    std::optional<LogList> answersTo() const override { return m_log; }
    /// Draws a noun, shows its picture and its noun without the article.
    void next();
    /// The child answered with the article a ("der", "die" or "das"), by the
    /// button labelled `chosen` (a itself when empty).
    void answer(const QString &a, const QString &chosen = QString());
    /// The bottom bar with "<<", "Abbruch . . ." and ">>" (both arrows skip).
    void makeBottom(QPushButton *&back, QPushButton *&forward);
    static QFont answerFont();
    /// The answer buttons from top to bottom, pressed by the keys 1, 2 and 3.
    void setAnswerKeys(QPushButton *one, QPushButton *two, QPushButton *three);
    void keyPressEvent(QKeyEvent *e) override;
    /// The right answer as said aloud, and whether a recording may say it.
    virtual QString spokenAnswer() const = 0;
    virtual bool answerFromRecording() const = 0;

private:
    LogList m_log;
    QPushButton *m_answerKeys[3] = {};
    QString m_wrongText;
};
