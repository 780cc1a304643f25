// Hearing the word on the exercise screens: what each click and each right
// answer asks the voice to say, that nothing before an answer gives it away,
// that an answer is said only once its confirmation has been closed, and
// that nothing at all is said unless the teacher switched the voice on.

#include "exercises/Form2.h"
#include "support/windowfixture.h"
#include "ui/canvas.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

namespace {

// "text|recording", with "|after" when it waits behind what is being said.
QStringList said(const RecordingSpeech &s, int from = 0) {
    QStringList out;
    for (int i = from; i < s.requests.size(); ++i) {
        const auto &r = s.requests[i];
        out << r.text + u'|' + r.recording + (r.after ? QStringLiteral("|after") : QString());
    }
    return out;
}

// Does the comma-separated steps of a row: a click on the strip or the
// picture, on a button by its text, or else the text typed into the input.
void act(ExerciseFrame *w, const QString &action) {
    for (const QString &step : action.split(u',', Qt::SkipEmptyParts)) {
        const QList<QPushButton *> buttons = w->findChildren<QPushButton *>();
        const auto b = std::find_if(buttons.begin(), buttons.end(),
                                    [&](QPushButton *b) { return b->text() == step; });
        if (step == QLatin1String("strip"))
            QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton);
        else if (step == QLatin1String("picture"))
            QTest::mouseClick(control<PictureFrame>(w, "Image1"), Qt::LeftButton);
        else if (b != buttons.end())
            (*b)->click();
        else
            QTest::keyClicks(control<QLineEdit>(w, "Text1"), step);
    }
}

const QString kHund = QStringLiteral("der Hund|derHund.wav");

} // namespace

class ExSpeechTest : public QObject {
    Q_OBJECT
private slots:
    // What each screen says with "Wörter vorlesen" on: the noun on show,
    // then what the action asks for. With the switch off, nothing at all.
    void screens_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char *name, ScreenId id, const char *action,
                      const QStringList &expected) {
            QTest::newRow(name) << int(id) << QString(action) << expected;
        };
        // Reading: the display form, the recording where there is one.
        row("reading shown", ScreenId::Form2, "", {kHund});
        row("reading strip", ScreenId::Form2, "strip", {kHund, kHund});
        row("reading picture", ScreenId::Form2, "picture", {kHund, kHund});
        row("reading second click restarts", ScreenId::Form2, "strip,strip", {kHund, kHund, kHund});
        row("reading new noun", ScreenId::Form2, "N e u", {kHund, "die Katze|"});
        // Article choice and "Ich sehe": the noun alone in the voice until answered.
        row("article strip", ScreenId::Form3, "strip", {"Hund|", "Hund|"});
        row("article picture", ScreenId::Form3, "picture", {"Hund|", "Hund|"});
        row("article wrong", ScreenId::Form3, "die", {"Hund|"});
        row("article right", ScreenId::Form3, "der", {"Hund|", kHund, "Katze||after"});
        row("article skip", ScreenId::Form3, ">>", {"Hund|", "Katze|"});
        row("ich sehe strip", ScreenId::Form4, "strip", {"Hund|", "Hund|"});
        row("ich sehe wrong", ScreenId::Form4, "ein", {"Hund|"});
        row("ich sehe right", ScreenId::Form4, "einen",
            {"Hund|", "Ich sehe einen Hund|", "Katze||after"});
        // Word and picture choice: a click chooses and says nothing by itself.
        row("word choice right", ScreenId::Form5, "strip", {kHund});
        row("word choice picture right", ScreenId::Form5, "picture", {kHund});
        row("word choice wrong", ScreenId::Form5, ">>,strip", {});
        row("word choice paging", ScreenId::Form5, ">>,<<,>>", {});
        row("picture choice right", ScreenId::Form6, "picture", {kHund, kHund, "die Katze||after"});
        row("picture choice wrong", ScreenId::Form6, ">>,picture,strip", {kHund});
        // Copy and dictation: picture and strip say the display form.
        row("copy picture", ScreenId::Form9, "picture", {kHund, kHund});
        row("copy strip", ScreenId::Form9, "strip", {kHund, kHund});
        row("copy typed", ScreenId::Form9, "Hund", {kHund, "die Katze|"});
        row("dictation picture", ScreenId::Form10, "picture", {kHund, kHund});
        row("dictation strip", ScreenId::Form10, "strip", {kHund, kHund});
        row("dictation skip", ScreenId::Form10, "<<", {kHund, "die Katze|"});
    }

    void screens() {
        QFETCH(int, screen);
        QFETCH(QString, action);
        QFETCH(QStringList, expected);
        const auto id = ScreenId(screen);
        for (const bool speakWords : {false, true}) {
            WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
            f.dir.addPicture("derHund.jpg");
            f.dir.addPicture("dieKatze.jpg");
            f.dir.addFile("derHund.wav");
            f.p.setOption(Option::BilderBeiNomen, true); // the reading screen's picture is visible
            f.p.changeExtras([&](Extras &e) { e.speakWords = speakWords; });
            f.p.randomRec.pushIndex(0, 2); // Hund first
            f.p.randomRec.pushIndex(0, 1); // then Katze
            int atBox = -1;
            f.p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
                atBox = int(f.p.speechRec.requests.size());
            };

            auto *w = f.open<ExerciseFrame>(id);
            const int shown = int(f.p.speechRec.requests.size());
            const bool writing = id == ScreenId::Form9 || id == ScreenId::Form10;
            // The strip's click must still bring the focus to the input.
            if (writing)
                control<QPushButton>(w, "Command1")->setFocus();
            act(w, action);

            QCOMPARE(said(f.p.speechRec), speakWords ? expected : QStringList());
            if (atBox >= 0) // a confirmation came first: nothing was said while it was open
                QCOMPARE(atBox, shown);
            if (writing && action == QLatin1String("strip"))
                QCOMPARE(w->focusWidget(), w->findChild<QLineEdit *>());
        }
    }

    // Leaving a window silences it.
    void hiddenWindowFallsSilent() {
        WindowFixture f({"derHund.jpg"});
        auto *w = f.open<Form2>(ScreenId::Form2);
        QTest::mouseClick(control<Canvas>(w, "Picture1"), Qt::LeftButton);
        const int stops = f.p.speechRec.stops;
        control<QPushButton>(w, "Command1")->click();
        QVERIFY(f.p.speechRec.stops > stops);
    }
};

QTEST_MAIN(ExSpeechTest)
#include "exspeech_test.moc"
