// Hearing the word on the exercise screens: what each click and each right
// answer asks the voice to say, that nothing before an answer gives it away,
// that an answer is said only once its confirmation has been closed, and
// that nothing is said on its own unless the teacher asked for it.

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
    void screens_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("speakWords");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char *name, ScreenId id, bool on, const char *action,
                      const QStringList &expected) {
            QTest::newRow(name) << int(id) << on << QString(action) << expected;
        };
        const QStringList none;
        // Reading: the display form, the recording where there is one.
        row("reading strip", ScreenId::Form2, false, "strip", {kHund});
        row("reading picture", ScreenId::Form2, false, "picture", {kHund});
        row("reading second click restarts", ScreenId::Form2, false, "strip,strip", {kHund, kHund});
        row("reading new noun, switch off", ScreenId::Form2, false, "N e u", none);
        row("reading shown, switch on", ScreenId::Form2, true, "", {kHund});
        // Article choice and "Ich sehe": the noun alone in the voice until answered.
        row("article strip", ScreenId::Form3, false, "strip", {"Hund|"});
        row("article picture", ScreenId::Form3, false, "picture", {"Hund|"});
        row("article wrong", ScreenId::Form3, false, "die", none);
        row("article right", ScreenId::Form3, false, "der", {kHund});
        row("article skip, switch off", ScreenId::Form3, false, ">>", none);
        row("article shown, switch on", ScreenId::Form3, true, "", {"Hund|"});
        row("article right, switch on", ScreenId::Form3, true, "der",
            {"Hund|", kHund, "Katze||after"});
        row("ich sehe strip", ScreenId::Form4, false, "strip", {"Hund|"});
        row("ich sehe wrong", ScreenId::Form4, false, "ein", none);
        row("ich sehe right", ScreenId::Form4, false, "einen", {"Ich sehe einen Hund|"});
        row("ich sehe shown, switch on", ScreenId::Form4, true, "", {"Hund|"});
        // Word and picture choice: a click chooses and says nothing by itself.
        row("word choice right", ScreenId::Form5, false, "strip", {kHund});
        row("word choice picture right", ScreenId::Form5, false, "picture", {kHund});
        row("word choice wrong", ScreenId::Form5, false, ">>,strip", none);
        row("word choice shown, switch on", ScreenId::Form5, true, ">>,<<,>>", none);
        row("picture choice right", ScreenId::Form6, false, "picture", {kHund});
        row("picture choice wrong", ScreenId::Form6, false, ">>,picture,strip", none);
        row("picture choice shown, switch on", ScreenId::Form6, true, "", {kHund});
        // Copy and dictation: picture and strip say the display form.
        row("copy picture", ScreenId::Form9, false, "picture", {kHund});
        row("copy strip", ScreenId::Form9, false, "strip", {kHund});
        row("copy typed, switch off", ScreenId::Form9, false, "Hund", none);
        row("copy shown, switch on", ScreenId::Form9, true, "", {kHund});
        row("dictation picture", ScreenId::Form10, false, "picture", {kHund});
        row("dictation strip", ScreenId::Form10, false, "strip", {kHund});
        row("dictation skip, switch off", ScreenId::Form10, false, "<<", none);
    }

    void screens() {
        QFETCH(int, screen);
        QFETCH(bool, speakWords);
        QFETCH(QString, action);
        QFETCH(QStringList, expected);
        const auto id = ScreenId(screen);
        WindowFixture f({"derHund.jpg", "dieKatze.jpg"});
        f.dir.addPicture("derHund.jpg");
        f.dir.addPicture("dieKatze.jpg");
        f.dir.addFile("derHund.wav");
        f.p.options[Option::BilderBeiNomen] = true; // the reading screen's picture is visible
        f.p.extras.speakWords = speakWords;
        f.p.randomRec.pushIndex(0, 2); // Hund first
        f.p.randomRec.pushIndex(0, 1); // then Katze
        int atBox = -1;
        f.p.dialogsRec.onShow = [&](const RecordingDialogs::Box &) {
            atBox = int(f.p.speechRec.requests.size());
        };

        auto *w = f.open<ExerciseFrame>(id);
        const int before = int(f.p.speechRec.requests.size());
        const bool writing = id == ScreenId::Form9 || id == ScreenId::Form10;
        // The strip's click must still bring the focus to the input.
        if (writing)
            control<QPushButton>(w, "Command1")->setFocus();
        act(w, action);

        QCOMPARE(said(f.p.speechRec), expected);
        if (atBox >= 0) // a confirmation came first: nothing was said while it was open
            QCOMPARE(atBox, before);
        if (writing && action == QLatin1String("strip"))
            QCOMPARE(w->focusWidget(), w->findChild<QLineEdit *>());
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
